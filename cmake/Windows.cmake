# The Windows tree: the program, its platform code and the tests that run under Wine.

# Platform code: every file here is named *_win32.*
add_library(dorvalix_win32 STATIC
    app/main_flow_win32.cpp
    app/run_state_win32.cpp
    classify/classify_source_win32.cpp
    compilers/detection_win32.cpp
    compilers/launcher_win32.cpp
    compilers/registry_win32.cpp
    shell/shell_integration_win32.cpp
)
target_link_libraries(dorvalix_win32 PUBLIC dorvalix_portable)

# ISWIN95 sits in the program itself, its only export; --kill-at exports the 32-bit
# stdcall name without its @0.
add_executable(dorvalix WIN32 app/winmain_win32.cpp compilers/os_family_win32.cpp)
target_link_libraries(dorvalix PRIVATE dorvalix_win32)
target_link_options(dorvalix PRIVATE -Wl,--kill-at)
set_target_properties(dorvalix PROPERTIES OUTPUT_NAME DORVALIX SUFFIX .EXE)

# The stand-in for a compiler's IDE: records how it was started (tests and the demo).
add_executable(stand-in-compiler WIN32 tools/stand_in_compiler_win32.cpp)

# GoogleTest from the Debian sources, cross-built.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests/win32)
