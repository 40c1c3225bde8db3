# The CalDAV frame of the settings dialog and the calendar actions of the main window,
# against a Radicale the test starts.
marvolingen_test(tst_caldav_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_caldav_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../support/radicaleserver.h LIBS marvolingen_test_support)
target_include_directories(tst_caldav_window PRIVATE ${PROJECT_SOURCE_DIR}/tests)
set_tests_properties(tst_caldav_window PROPERTIES TIMEOUT 300)
