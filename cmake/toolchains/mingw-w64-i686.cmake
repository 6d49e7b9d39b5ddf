# 32-bit Windows with Debian's mingw-w64 compilers, the POSIX thread model
# (std::thread and std::mutex, which GoogleTest needs). Programs and DLLs
# link the compiler's runtime statically, so they need no DLL but the
# system's. Tests run under Wine when it is there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(VFD_MINGW_TRIPLET i686-w64-mingw32)
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
# ~/.wine), with Wine's debug output off; scripts/test-win32.sh prepares it.
find_program(VFD_WINE wine)
set(VFD_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix of the tests")
set(VFD_WINE_ENV ${CMAKE_COMMAND} -E env WINEPREFIX=${VFD_WINEPREFIX} WINEDEBUG=-all)
if(VFD_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VFD_WINE_ENV} ${VFD_WINE})
endif()
