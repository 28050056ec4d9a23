# PDF export of the drawings catalog of Device.lib: whole export against bare deflate of the pages.
if(TARGET quiral_pdf AND TARGET quiral_reports)
  quiral_bench(bench_pdf ${CMAKE_CURRENT_LIST_DIR}/bench_pdf.cpp)
  target_link_libraries(bench_pdf PRIVATE quiral::pdf quiral::reports)
endif()
