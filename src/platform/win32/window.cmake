# Windows built from the layout tables.
target_sources(orvo_win32 PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win_window.cpp)
target_link_libraries(orvo_win32 PUBLIC gdi32 user32 ole32 oleaut32 uuid)
