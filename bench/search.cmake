# The symbol search over Debian's kicad-symbols: reading every library (beside building the index
# of the same folder), loading from a warm cache, and single queries over the loaded names.
quiral_bench(bench_search ${CMAKE_CURRENT_LIST_DIR}/bench_search.cpp)
target_link_libraries(bench_search PRIVATE quiral::search quiral::catalog)
