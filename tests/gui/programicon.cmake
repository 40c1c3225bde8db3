# The window icon comes from the program's resources.
marvolingen_test(tst_programicon SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_programicon.cpp
  LIBS marvolingen_gui)
