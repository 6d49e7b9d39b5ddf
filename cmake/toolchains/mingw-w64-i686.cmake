# 32-bit Windows: PE32 programs and DLLs, run by Wine's 32-bit half.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VFD_MINGW_TRIPLET i686-w64-mingw32)
set(VFD_WINE_NAMES wine)
set(VFD_WINDOWS_MACHINE x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
