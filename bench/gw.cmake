# Write, repeated write and delete-all runs against a local GroupWise system.
add_executable(bench_gw_write ${CMAKE_CURRENT_LIST_DIR}/gw_write_bench.cpp)
target_link_libraries(bench_gw_write PRIVATE marvolingen_core benchmark::benchmark)
