# The three dialogs of the window program; included by the gui library's CMakeLists.
list(APPEND MV_GUI_DIALOG_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/messagebox.h
  ${CMAKE_CURRENT_LIST_DIR}/frmlanguage.h
  ${CMAKE_CURRENT_LIST_DIR}/frmlanguage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmeinstellungen.h
  ${CMAKE_CURRENT_LIST_DIR}/frmeinstellungen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmabout.h
  ${CMAKE_CURRENT_LIST_DIR}/frmabout.cpp)

# The About box shows the program's own version number.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/frmabout.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  MV_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  MV_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  MV_VERSION_PATCH=${PROJECT_VERSION_PATCH})
