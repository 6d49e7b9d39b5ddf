# What the Windows toolchains share; each sets VFD_MINGW_TRIPLET,
# CMAKE_SYSTEM_PROCESSOR and VFD_WINE_NAMES (the Wine that runs its
# programs), VFD_WINDOWS_MACHINE (x86 or x64, for the DLL checks) and
# includes this file.
#
# Debian's mingw-w64 compilers, the POSIX thread model (std::thread and
# std::mutex, which GoogleTest needs). Programs and DLLs link the compiler's
# runtime statically, so they need no DLL but the system's. Tests run under
# Wine when it is there.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VFD_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VFD_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VFD_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VFD_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static keeps libwinpthread-1.dll out as well as the C++ and GCC runtimes.
set(VFD_MINGW_STATIC_RUNTIME "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${VFD_MINGW_STATIC_RUNTIME}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${VFD_MINGW_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${VFD_MINGW_STATIC_RUNTIME}")
# zlib too: libz.a, not the import library of zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

# Tests run under Wine, in a prefix of the build's own (never the user's
# ~/.wine), with Wine's debug output off; scripts/test-wine.sh prepares it.
# Debian's wine64 package may put its loader only in /usr/lib/wine.
# VFD_WINE_TESTS=OFF (a kernel that cannot run the target's programs) still
# builds every test but registers only those that run nothing: the static
# checks of the DLLs and the archive.
find_program(VFD_WINE NAMES ${VFD_WINE_NAMES} PATHS /usr/lib/wine)
set(VFD_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix of the tests")
set(VFD_WINE_ENV ${CMAKE_COMMAND} -E env WINEPREFIX=${VFD_WINEPREFIX} WINEDEBUG=-all)
set(VFD_WINE_TESTS ON CACHE BOOL "Run the tests under Wine (OFF: only the static checks)")
if(VFD_WINE AND VFD_WINE_TESTS)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VFD_WINE_ENV} ${VFD_WINE})
endif()
