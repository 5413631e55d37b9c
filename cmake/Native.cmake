# The native tree: tests of the portable logic and the benchmarks.
find_package(GTest REQUIRED)
add_subdirectory(tests/native)

find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(dorvalix-bench tests/bench/scanner_bench.cpp)
    target_link_libraries(dorvalix-bench PRIVATE dorvalix_portable benchmark::benchmark)
endif()
