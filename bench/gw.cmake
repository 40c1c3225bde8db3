# Write, repeated write and delete-all runs against a local GroupWise system.
add_executable(bench_gw_write ${CMAKE_CURRENT_LIST_DIR}/gw_write_bench.cpp)
target_link_libraries(bench_gw_write PRIVATE marvolingen_core benchmark::benchmark)
# The same write run shown in the window's list and labels, against no one watching.
if(TARGET marvolingen_gui)
  add_executable(bench_gw_window ${CMAKE_CURRENT_LIST_DIR}/gw_window_bench.cpp)
  target_link_libraries(bench_gw_window PRIVATE marvolingen_gui marvolingen_core
    benchmark::benchmark)
endif()
