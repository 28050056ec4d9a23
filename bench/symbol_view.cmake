# Choosing a component in the window: the block read and drawn, the view's display list recorded
# and painted. Needs the Qt program's library.
if(TARGET quiral_app)
  quiral_bench(bench_symbol_view ${CMAKE_CURRENT_LIST_DIR}/bench_symbol_view.cpp)
  target_link_libraries(bench_symbol_view PRIVATE quiral::app)
endif()
