# Widget tests of the GroupWise actions of the main window on a local GroupWise system.
marvolingen_test(tst_groupwise SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_groupwise.cpp LIBS marvolingen_test_support)
