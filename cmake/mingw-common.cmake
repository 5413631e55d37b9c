# Shared part of the MinGW-w64 toolchain files: a static Windows build whose
# programs CTest runs under Wine through scripts/wine-exec.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${DORVALIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DORVALIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER  ${DORVALIX_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${DORVALIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Statically linked: the programs need nothing beyond the system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
