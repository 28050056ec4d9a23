# Translating a modern library (Debian's kicad-symbols package) into legacy text.
quiral_bench(bench_kicad_sym ${CMAKE_CURRENT_LIST_DIR}/bench_kicad_sym.cpp)
target_link_libraries(bench_kicad_sym PRIVATE quiral::kicad_sym)
