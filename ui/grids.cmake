target_sources(quarne_ui PRIVATE evaluation_table.cpp move_list.cpp)
