# The same sources built for 64-bit Windows, run under Wine's 64-bit loader on a
# machine whose kernel cannot start the 32-bit one.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DORVALIX_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
