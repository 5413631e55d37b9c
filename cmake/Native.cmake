# The native tree: tests of the portable logic and the benchmarks.
find_package(GTest REQUIRED)
add_subdirectory(tests/native)

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(dorvalix-bench tests/bench/scanner_bench.cpp)
    target_link_libraries(dorvalix-bench PRIVATE dorvalix_reference_scanner benchmark::benchmark)
    target_compile_definitions(dorvalix-bench PRIVATE DORVALIX_EXAMPLES="${CMAKE_SOURCE_DIR}/examples")
endif()
