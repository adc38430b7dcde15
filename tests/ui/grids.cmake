# The move evaluation table and the move list.
quarne_test(grids_tests SOURCES qt_main.cpp grids_test.cpp LIBS quarne_ui Qt6::Test)
