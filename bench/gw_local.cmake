# The add-entry cycle of the local GroupWise system and the cost of a durable write.
add_executable(bench_gw_local ${CMAKE_CURRENT_LIST_DIR}/gw_local_bench.cpp)
target_link_libraries(bench_gw_local PRIVATE core_groupwise benchmark::benchmark Qt6::Sql)
