# Sources of the local GroupWise system.
set(MV_GW_LOCAL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/groupwise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/local.cpp
  ${CMAKE_CURRENT_LIST_DIR}/localstore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/localsession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demo.cpp)
