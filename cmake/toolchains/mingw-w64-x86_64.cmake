# 64-bit Windows: PE32+ programs and DLLs, run by wine64.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VFD_MINGW_TRIPLET x86_64-w64-mingw32)
set(VFD_WINE_NAMES wine64)
set(VFD_WINDOWS_MACHINE x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
