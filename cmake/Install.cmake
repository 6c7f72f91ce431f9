# What `cmake --install` puts where: the shell in bin, the libraries in lib, the modules in
# lib/kxparam, the headers in include/kxparam, and a CMake package and a pkg-config file, so that a
# provider module builds against an installed copy. The sample provider is a component of its
# own, so that a provider built out of tree can stand in its place.
include(CMakePackageConfigHelpers)
set(KX_PACKAGE_DIR lib/cmake/KxParameterManager)

install(TARGETS kxparam RUNTIME DESTINATION bin COMPONENT runtime)
install(TARGETS kxhost KxParameterManager EXPORT KxParameterManagerTargets
        LIBRARY DESTINATION lib COMPONENT runtime)
install(TARGETS KxParameterRes kxconsolepalette-module LIBRARY DESTINATION lib/kxparam
        COMPONENT runtime)
install(TARGETS kxbracketplate-module LIBRARY DESTINATION lib/kxparam COMPONENT bracket-plate)

# The headers a provider or a palette compiles against; the library's internal ones stay out.
foreach(folder host model collections manager palette util module)
    install(DIRECTORY ${folder}/ DESTINATION include/kxparam/${folder} COMPONENT development
            FILES_MATCHING PATTERN "*.h"
            PATTERN "KxModuleRecord.h" EXCLUDE
            PATTERN "KxDbObjectTable.h" EXCLUDE
            PATTERN "KxParameterCollectionObserver.h" EXCLUDE
            PATTERN "KxParameterObserver.h" EXCLUDE
            PATTERN "KxApParameterManagerESWImp.h" EXCLUDE
            PATTERN "KxResourceModule.h" EXCLUDE)
endforeach()

install(EXPORT KxParameterManagerTargets NAMESPACE KxParameterManager:: DESTINATION
        ${KX_PACKAGE_DIR} COMPONENT development)
configure_package_config_file(cmake/KxParameterManagerConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/KxParameterManagerConfig.cmake
                              INSTALL_DESTINATION ${KX_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/KxParameterManagerConfigVersion.cmake
                                 VERSION 1.0.0 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/KxParameterManagerConfig.cmake
              ${CMAKE_BINARY_DIR}/KxParameterManagerConfigVersion.cmake
        DESTINATION ${KX_PACKAGE_DIR} COMPONENT development)

configure_file(cmake/KxParameterManager.pc.in ${CMAKE_BINARY_DIR}/KxParameterManager.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/KxParameterManager.pc DESTINATION lib/pkgconfig
        COMPONENT development)
