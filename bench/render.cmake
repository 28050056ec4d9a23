# Rendering speed: ShowComponent + render per component, split into reading, drawing and cropping.
quiral_bench(bench_render ${CMAKE_CURRENT_LIST_DIR}/bench_render.cpp)
target_link_libraries(bench_render PRIVATE quiral::render)
