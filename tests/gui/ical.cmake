# Widget test of the iCalendar export of the main window.
marvolingen_test(tst_icalexport SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_icalexport.cpp
  LIBS marvolingen_test_support PkgConfig::LIBICAL)
