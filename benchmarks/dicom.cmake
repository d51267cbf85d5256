# Loading a DICOM series with the demo's reader; it links the demo's code,
# so it is built only with the examples.
quorvel_add_benchmark(quorvel_dicom_bench DicomBench.cpp)
target_link_libraries(quorvel_dicom_bench PRIVATE quorvel_demo_core)
