# Icons loaded by name from the program's own resources.
target_sources(orvo_win32 PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win_icons.cpp)
