# Tests of the runs, the key actions and the address-book read.
marvolingen_test(test_runs_fake SOURCES test_runs_fake.cpp fakegroupwise.h runrecorder.h
  LIBS core_groupwise)
marvolingen_test(test_runs_local SOURCES test_runs_local.cpp runrecorder.h LIBS core_groupwise)
marvolingen_test(test_keyactions SOURCES test_keyactions.cpp runrecorder.h LIBS core_groupwise)
marvolingen_test(test_addressbookread SOURCES test_addressbookread.cpp runrecorder.h
  LIBS core_groupwise)
