quorvel_add_benchmark(quorvel_reformat_bench ReformatBench.cpp texture/BenchMain.cpp)
# The benchmark sets the worker count of the library's parallel loops.
target_link_libraries(quorvel_reformat_bench PRIVATE OpenMP::OpenMP_CXX)
