# Building the catalog index of the KiCad corpus, and searching it.
if(TARGET quiral_catalog)
  quiral_bench(bench_catalog ${CMAKE_CURRENT_LIST_DIR}/bench_catalog.cpp)
  target_link_libraries(bench_catalog PRIVATE quiral::catalog)
endif()
