# Win32 adapters of the tray icon control.
target_sources(orvo_win32 PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tray_ansi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_window_procs.cpp
)
target_link_libraries(orvo_win32 PUBLIC shell32)
