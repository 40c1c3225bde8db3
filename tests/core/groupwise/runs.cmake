# Tests of the runs, the key actions and the address-book read.
marvolingen_test(test_runs_fake SOURCES test_runs_fake.cpp fakegroupwise.h runrecorder.h
  LIBS core_groupwise)
marvolingen_test(test_runs_local SOURCES test_runs_local.cpp runrecorder.h LIBS core_groupwise)
marvolingen_test(test_keyactions SOURCES test_keyactions.cpp runrecorder.h LIBS core_groupwise)
marvolingen_test(test_addressbookread SOURCES test_addressbookread.cpp runrecorder.h
  LIBS core_groupwise)
# The command-line program's write run as separate processes: killed, and two at once.
marvolingen_test(test_runs_processes SOURCES test_runs_processes.cpp runrecorder.h
  LIBS core_groupwise)
target_compile_definitions(test_runs_processes PRIVATE MV_CLI="$<TARGET_FILE:marvolingen-cli>")
add_dependencies(test_runs_processes marvolingen-cli)
