# One helper per kind of test, so that adding a test is one line.
#   dorvalix_native_test(name source... [LIBS lib...])  GoogleTest, built natively
#   dorvalix_windows_test(name source... [LIBS lib...]) GoogleTest, run under Wine

function(dorvalix_native_test name)
    cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
    add_executable(${name} ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
endfunction()

function(dorvalix_windows_test name)
    cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
    add_executable(${name} ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} dorvalix_version gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 240)
endfunction()
