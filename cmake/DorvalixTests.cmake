# One helper per kind of test, so that adding a test is one line.
#
#   dorvalix_native_test(name source... [LIBS lib...])
#       GoogleTest, built natively.
#
#   dorvalix_windows_test(name source... [LIBS lib...] [PROGRAMS target...] [LOCKS lock...] [UTF8])
#       GoogleTest, built for Windows and run under Wine. PROGRAMS are built first; with
#       dorvalix among them the test gets DORVALIX_EXE, the program file's name (it lies
#       beside the test). UTF8: the test runs in UTF-8, as the program's manifest makes
#       it run, while the system's code page stays what it is (1252 under Wine here).
#   dorvalix_windows_test(name COMMAND command arg... [PASS regex] [LOCKS lock...]
#                         [TIMEOUT seconds] [NOWINE])
#       A command; one that names a program of the tree runs it under Wine. PASS: the
#       output must match. NOWINE: a check that needs no Wine (labelled nowine), so it
#       also runs where Wine cannot run the tree's programs.
#
# Every Windows test shares one Wine prefix, one wineserver and one virtual display
# with the others that run at the same time. LOCKS names what the test touches there;
# CTest never runs two tests that hold the same lock at once:
#   desktop        it shows windows, or finds, presses or types into them: the display
#                  has one active window and one keyboard focus
#   classes_root   it writes or checks the file types below HKEY_CLASSES_ROOT (.bas,
#                  .inc, Dorvalix); every run of the program's main flow registers them,
#                  also RunDorvalix called inside a test
#   compiler_keys  it writes the compilers' keys below HKEY_LOCAL_MACHINE\SOFTWARE\
#                  PowerBASIC, or runs the program on a source, which reads them (the
#                  notice's compiler, the selection screen's greyed rows, what a version
#                  button starts)
# The stand-in compilers' record files need no lock: every test names its own, in a
# scratch folder of its own (stand_in_win32.h), and so do the end-to-end scenarios,
# each in a prefix of its own.

set(DORVALIX_TEST_LOCKS desktop classes_root compiler_keys)

function(dorvalix_native_test name)
    cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
    add_executable(${name} ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

function(dorvalix_windows_test name)
    cmake_parse_arguments(T "NOWINE;UTF8" "PASS;TIMEOUT" "LIBS;PROGRAMS;LOCKS;COMMAND" ${ARGN})
    foreach(lock IN LISTS T_LOCKS)
        if(NOT lock IN_LIST DORVALIX_TEST_LOCKS)
            message(FATAL_ERROR "${name}: no lock named \"${lock}\" (known: ${DORVALIX_TEST_LOCKS})")
        endif()
    endforeach()
    if(T_COMMAND)
        add_test(NAME ${name} COMMAND ${T_COMMAND})
        if(NOT T_TIMEOUT)
            set(T_TIMEOUT 60)
        endif()
    else()
        add_executable(${name} ${T_UNPARSED_ARGUMENTS})
        if(T_UTF8)
            set(utf8_rc ${CMAKE_SOURCE_DIR}/tests/win32/utf8_process.rc)
            target_sources(${name} PRIVATE ${utf8_rc})
            set_source_files_properties(${utf8_rc} PROPERTIES
                                        OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/utf8_process.manifest)
        endif()
        target_link_libraries(${name} PRIVATE ${T_LIBS} dorvalix_version gtest_main)
        if(T_PROGRAMS)
            add_dependencies(${name} ${T_PROGRAMS})
        endif()
        if(dorvalix IN_LIST T_PROGRAMS)
            target_compile_definitions(${name} PRIVATE DORVALIX_EXE="$<TARGET_FILE_NAME:dorvalix>")
        endif()
        add_test(NAME ${name} COMMAND ${name})
        if(NOT T_TIMEOUT)
            set(T_TIMEOUT 240)
        endif()
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_LOCKS)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
    endif()
    if(T_PASS)
        set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "${T_PASS}")
    endif()
    if(T_NOWINE)
        set_tests_properties(${name} PROPERTIES LABELS nowine)
    endif()
endfunction()
