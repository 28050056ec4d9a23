# Report generation with the column flow, and page painting at screen and printer resolutions.
quiral_bench(bench_report_engine ${CMAKE_CURRENT_LIST_DIR}/bench_report_engine.cpp)
target_link_libraries(bench_report_engine PRIVATE quiral::report_engine)
