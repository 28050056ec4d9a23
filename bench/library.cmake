# Tokenizer throughput and library browsing over the KiCad corpus.
quiral_bench(bench_library ${CMAKE_CURRENT_LIST_DIR}/bench_library.cpp)
target_link_libraries(bench_library PRIVATE quiral::library)
