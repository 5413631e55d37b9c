# The product's toolchain: 32-bit Windows (i686), the architecture of DORVALIX.EXE.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(DORVALIX_MINGW i686-w64-mingw32)
set(ENV{WINE_ARCH} i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
