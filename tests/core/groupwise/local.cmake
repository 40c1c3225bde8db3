marvolingen_test(test_gw_filter SOURCES test_gw_filter.cpp LIBS core_groupwise)
marvolingen_test(test_gw_local SOURCES test_gw_local.cpp LIBS core_groupwise)
