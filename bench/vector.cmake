# Vector drawing: display lists against the pixel canvas, and SVG writing.
quiral_bench(bench_vector ${CMAKE_CURRENT_LIST_DIR}/bench_vector.cpp)
target_link_libraries(bench_vector PRIVATE quiral::vector)
