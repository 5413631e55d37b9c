# The Windows tree: the program, its platform code and the tests that run under Wine.

# No time stamp in the file header nor in the export table, so that the same sources
# link to the same bytes on any day. Set here rather than in the toolchain file, whose
# flags a tree configured before keeps in its cache.
add_link_options(-Wl,--no-insert-timestamp)

# Platform code: every file here is named *_win32.*
add_library(dorvalix_win32 STATIC
    app/countdown_notice_win32.cpp
    app/main_flow_win32.cpp
    app/startup_boxes_win32.cpp
    classify/classify_source_win32.cpp
    compilers/detection_win32.cpp
    compilers/launcher_win32.cpp
    registry/registry_win32.cpp
    text/path_spelling_win32.cpp
    text/system_library_win32.cpp
    shell/shell_integration_win32.cpp
    shell/temporary_folder_win32.cpp
    ui/dialog_layer_win32.cpp
    ui/run_state_win32.cpp
    ui/selection_screen_win32.cpp
)
# No shell32: SHChangeNotify is loaded only when the shell must be told of a change.
target_link_libraries(dorvalix_win32 PUBLIC dorvalix_portable dorvalix_version user32)

# Each program's .rc holds its icon, the version resource that both share (made from
# VERSION by cmake/Version.cmake) and its application manifest. windres reads those
# files itself; the build does not see that on its own.
set(shared_resources ${CMAKE_BINARY_DIR}/generated/dorvalix_version.rc2 ${CMAKE_SOURCE_DIR}/icon/dorvalix.ico)
set_source_files_properties(app/dorvalix.rc PROPERTIES
    OBJECT_DEPENDS "${shared_resources};${CMAKE_SOURCE_DIR}/app/dorvalix.manifest")
set_source_files_properties(tools/dorvalix-classify.rc PROPERTIES
    OBJECT_DEPENDS "${shared_resources};${CMAKE_SOURCE_DIR}/tools/dorvalix-classify.manifest")

# dorvalix-classify.exe also tells what DORVALIX would start (--dry-run, --compilers),
# through the same detection and command line as DORVALIX.EXE.
target_sources(dorvalix-classify PRIVATE tools/classify_explain_win32.cpp tools/classify_console_win32.cpp
               tools/dorvalix-classify.rc)
target_link_libraries(dorvalix-classify PRIVATE dorvalix_win32)
# wmain: the arguments as the shell passed them, in UTF-16.
target_link_options(dorvalix-classify PRIVATE -municode)

# ISWIN95 sits in the program itself, its only export; --kill-at exports the 32-bit
# stdcall name without its @0.
add_executable(dorvalix WIN32 app/winmain_win32.cpp app/iswin95_export_win32.cpp app/dorvalix.rc)
target_link_libraries(dorvalix PRIVATE dorvalix_win32)
target_link_options(dorvalix PRIVATE -Wl,--kill-at)
set_target_properties(dorvalix PROPERTIES OUTPUT_NAME DORVALIX SUFFIX .EXE)
include(cmake/Dist.cmake)

# A resource file for another program that holds DORVALIX.EXE's application manifest,
# the lines that match the regular expression dropped (an empty one drops none); its
# path goes into the variable named by out.
function(dorvalix_manifest_resource target regex out)
    file(READ ${CMAKE_SOURCE_DIR}/app/dorvalix.manifest manifest)
    if(NOT regex STREQUAL "")
        string(REGEX REPLACE "${regex}" "" manifest "${manifest}")
    endif()
    set(folder ${CMAKE_BINARY_DIR}/variants/${target})
    file(WRITE ${folder}/variant.manifest "${manifest}")
    file(WRITE ${folder}/variant.rc
         "#include <winuser.h>\nCREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"variant.manifest\"\n")
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${CMAKE_SOURCE_DIR}/app/dorvalix.manifest)
    set(${out} ${folder}/variant.rc PARENT_SCOPE)
endfunction()

# DORVALIX.EXE with one setting taken out of its manifest, for a test or a benchmark
# that needs to see the program without it: the lines that match the regular
# expression are dropped (no version resource or icon either).
function(dorvalix_manifest_variant target regex)
    dorvalix_manifest_resource(${target} "${regex}" resource)
    add_executable(${target} WIN32 ${CMAKE_SOURCE_DIR}/app/winmain_win32.cpp ${resource})
    target_link_libraries(${target} PRIVATE dorvalix_win32)
endfunction()

# The manifest's lines that name Common Controls 6 (today's look of buttons and boxes).
set(common_controls_6_lines "  <!-- Buttons and boxes[^>]*>\n  <dependency>.*</dependency>\n")

# The programs that only the tests, the demo and the benchmarks use: the driver, the
# window probe and the stand-in compiler.
add_subdirectory(tests/tools)

# Start-up latency for make bench: the timing program and the floor it compares with.
add_executable(startup-bench tests/bench/startup_bench_win32.cpp)
target_link_libraries(startup-bench PRIVATE dorvalix_probe)
# The floor is built like DORVALIX.EXE: its manifest, so that both load the same
# controls (Common Controls 6) for their one button and more.
dorvalix_manifest_resource(empty-dialog "" empty_dialog_manifest)
add_executable(empty-dialog WIN32 tests/bench/empty_dialog_win32.cpp ${empty_dialog_manifest})
# What today's look costs a start: DORVALIX without the Common Controls 6 dependency,
# beside the floor without it.
dorvalix_manifest_variant(dorvalix-classic-controls "${common_controls_6_lines}")
dorvalix_manifest_resource(empty-dialog-classic-controls "${common_controls_6_lines}" classic_floor_manifest)
add_executable(empty-dialog-classic-controls WIN32 tests/bench/empty_dialog_win32.cpp ${classic_floor_manifest})

# GoogleTest from the Debian sources, cross-built.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests/win32)
add_subdirectory(tests/e2e)
