quorvel_add_benchmark(quorvel_texture_bench
  texture/BenchImages.cpp
  texture/ConversionBench.cpp
  texture/LimitBench.cpp
  texture/RenderBench.cpp
  texture/BenchMain.cpp)
# The benchmark sets the worker count of the library's parallel loop.
target_link_libraries(quorvel_texture_bench PRIVATE OpenMP::OpenMP_CXX)
# The reference loop gets the same code alignment as the library's loop.
set_source_files_properties(texture/ConversionBench.cpp PROPERTIES COMPILE_OPTIONS "-falign-loops=32")
