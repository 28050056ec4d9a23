# Reviewing a change over the KiCad corpus, against reading both sides as the catalog index does.
if(TARGET quiral_review AND TARGET quiral_catalog)
  quiral_bench(bench_review ${CMAKE_CURRENT_LIST_DIR}/bench_review.cpp)
  target_link_libraries(bench_review PRIVATE quiral::review quiral::catalog)
endif()
