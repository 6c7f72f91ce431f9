# What `cmake --install` puts where: the shell (and, with Qt 6, the desktop program) in bin, the
# libraries in lib, the modules in lib/kxparam, the headers in include/kxparam, and a CMake package
# and a pkg-config file, so that a provider module builds against an installed copy. On Windows
# the libraries (DLLs) and the modules stand beside the program in bin, where the system and the
# shell look for them, and lib holds the import libraries. The sample provider is a component of
# its own, so that a provider built out of tree can stand in its place.
include(CMakePackageConfigHelpers)
set(KX_PACKAGE_DIR lib/cmake/KxParameterManager)
if(WIN32)
    set(KX_MODULE_INSTALL_DIR bin)
else()
    set(KX_MODULE_INSTALL_DIR lib/kxparam)
endif()
# Where each kind of file of a library goes: the shared object or DLL, the import library.
set(KX_LIBRARY_DESTINATIONS RUNTIME DESTINATION bin COMPONENT runtime
                            LIBRARY DESTINATION lib COMPONENT runtime
                            ARCHIVE DESTINATION lib COMPONENT development)

install(TARGETS kxparam RUNTIME DESTINATION bin COMPONENT runtime)
# The public headers are the layers' file sets: what a provider, a palette or a host program
# compiles against, under include/kxparam/<folder>. A folder's internal/ headers (and the host's
# failure controls in host/testing/) are private file sets, never installed.
# The export macros that the build writes are a file set of their own, installed beside the others.
install(TARGETS kxhost KxParameterManager EXPORT KxParameterManagerTargets ${KX_LIBRARY_DESTINATIONS}
        FILE_SET HEADERS DESTINATION include/kxparam COMPONENT development
        FILE_SET generated DESTINATION include/kxparam COMPONENT development)
install(TARGETS ${KX_LIBRARY_LAYERS} FILE_SET HEADERS DESTINATION include/kxparam
        COMPONENT development FILE_SET generated DESTINATION include/kxparam
        COMPONENT development)
install(TARGETS KxParameterRes kxconsolepalette-module LIBRARY DESTINATION ${KX_MODULE_INSTALL_DIR}
        COMPONENT runtime)
install(TARGETS kxbracketplate-module LIBRARY DESTINATION ${KX_MODULE_INSTALL_DIR}
        COMPONENT bracket-plate)

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

# The link flags of a pkg-config consumer: on Windows the DLLs are found beside the program and need
# no run path, and the system's loader needs no library.
if(WIN32)
    set(KX_PC_LIBS "-L\${libdir} -lKxParameterManager -lkxhost")
else()
    set(KX_PC_LIBS "-L\${libdir} -Wl,-rpath,\${libdir} -lKxParameterManager -lkxhost -ldl")
endif()
configure_file(cmake/KxParameterManager.pc.in ${CMAKE_BINARY_DIR}/KxParameterManager.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/KxParameterManager.pc DESTINATION lib/pkgconfig
        COMPONENT development)
