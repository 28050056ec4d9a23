# The two catalogs of Device.lib, against showing the same components as render-all does.
quiral_bench(bench_reports ${CMAKE_CURRENT_LIST_DIR}/bench_reports.cpp)
target_link_libraries(bench_reports PRIVATE quiral::reports)
