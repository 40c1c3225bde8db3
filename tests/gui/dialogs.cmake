# Widget tests of the three dialogs; included by the widget tests' CMakeLists.
marvolingen_test(test_dialogs SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_dialogs.cpp LIBS marvolingen_test_support)
target_include_directories(test_dialogs PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../src/gui/ui)
