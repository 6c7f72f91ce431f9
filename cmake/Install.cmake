# What `cmake --install` puts where: the shell (and, with Qt 6, the desktop program) in bin, the
# libraries in lib, the modules in lib/kxparam, the headers in include/kxparam, and a CMake package and a pkg-config file, so that a
# provider module builds against an installed copy. The sample provider is a component of its
# own, so that a provider built out of tree can stand in its place.
include(CMakePackageConfigHelpers)
set(KX_PACKAGE_DIR lib/cmake/KxParameterManager)

install(TARGETS kxparam RUNTIME DESTINATION bin COMPONENT runtime)
# The public headers are the layers' file sets: what a provider, a palette or a host program
# compiles against, under include/kxparam/<folder>. A folder's internal/ headers (and the host's
# failure controls in host/testing/) are private file sets, never installed.
install(TARGETS kxhost KxParameterManager EXPORT KxParameterManagerTargets
        LIBRARY DESTINATION lib COMPONENT runtime
        FILE_SET HEADERS DESTINATION include/kxparam COMPONENT development)
install(TARGETS ${KX_LIBRARY_LAYERS} FILE_SET HEADERS DESTINATION include/kxparam
        COMPONENT development)
install(TARGETS KxParameterRes kxconsolepalette-module LIBRARY DESTINATION lib/kxparam
        COMPONENT runtime)
install(TARGETS kxbracketplate-module LIBRARY DESTINATION lib/kxparam COMPONENT bracket-plate)

# The desktop program and its palette, a component of their own. The palette's KxParameter.dlx
# keeps a module directory of its own, which the program searches first; the libraries are two
# levels up from it.
if(TARGET kxparam-gui)
    install(TARGETS kxparam-gui RUNTIME DESTINATION bin COMPONENT desktop)
    set_target_properties(kxdesktoppalette-module PROPERTIES INSTALL_RPATH "$ORIGIN/../..")
    install(TARGETS kxdesktoppalette-module LIBRARY DESTINATION lib/kxparam/desktop-palette
            COMPONENT desktop)
endif()

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
