# Write and delete-all runs on a Radicale server the benchmark starts.
add_executable(bench_caldav ${CMAKE_CURRENT_LIST_DIR}/caldav_bench.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/radicaleserver.h)
target_include_directories(bench_caldav PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_caldav PRIVATE marvolingen_core benchmark::benchmark)
