# The write and delete runs, the trusted-application key actions and the address-book read.
set(MV_GW_RUN_SOURCES runs.cpp keyactions.cpp addressbookread.cpp)
