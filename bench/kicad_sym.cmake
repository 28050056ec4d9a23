# Modern libraries (Debian's kicad-symbols package): parsing and translating Device.kicad_sym,
# and loading it as the program does and showing every component.
quiral_bench(bench_kicad_sym ${CMAKE_CURRENT_LIST_DIR}/bench_kicad_sym.cpp)
target_link_libraries(bench_kicad_sym PRIVATE quiral::kicad_sym quiral::render)
