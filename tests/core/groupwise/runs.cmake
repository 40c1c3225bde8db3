# Tests of the runs, the key actions and the address-book read.
marvolingen_test(test_runs_fake SOURCES test_runs_fake.cpp fakegroupwise.h runrecorder.h
  LIBS core_groupwise)
