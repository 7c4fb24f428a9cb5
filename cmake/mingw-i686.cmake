# The shipped programs: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VK_MINGW_TRIPLE i686-w64-mingw32)
set(VK_WINE_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
