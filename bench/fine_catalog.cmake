# The fine (vector) drawings catalog against the page-image export of the same catalog: Device.lib,
# and the whole corpus folder against the sum of its libraries' exports.
if(TARGET quiral_pdf AND TARGET quiral_reports)
  quiral_bench(bench_fine_catalog ${CMAKE_CURRENT_LIST_DIR}/bench_fine_catalog.cpp)
  target_link_libraries(bench_fine_catalog PRIVATE quiral::pdf quiral::reports)
endif()
