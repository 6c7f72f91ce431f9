# Cross-compiling for Windows (x86-64) with Debian's MinGW-w64 (the POSIX threads flavour, whose
# standard library has std::thread and std::mutex); the programs and tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KX_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KX_MINGW_PREFIX})
# Programs (the build's own tools) from the build machine; libraries, headers and packages only
# from the target's root, so that the build machine's GoogleTest, Qt or libedit are never taken.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The build machine's pkg-config would hand out Linux libraries.
set(PKG_CONFIG_EXECUTABLE "" CACHE FILEPATH "no pkg-config when cross-compiling" FORCE)
# Every program the build runs (test discovery, the tests, the shell) runs under Wine.
find_program(KX_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KX_WINE})
