# Choosing a component as the window does: the block read and drawn, the view's display list
# recorded and rasterised, the info tabs' pin table and properties.
quiral_bench(bench_symbol_view ${CMAKE_CURRENT_LIST_DIR}/bench_symbol_view.cpp)
target_link_libraries(bench_symbol_view PRIVATE quiral::vector quiral::render quiral::library)
