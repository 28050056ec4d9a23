# Canvas drawing, text, clearing and the 8-bit page conversion.
quiral_bench(bench_canvas ${CMAKE_CURRENT_LIST_DIR}/bench_canvas.cpp)
target_link_libraries(bench_canvas PRIVATE quiral::platform)
