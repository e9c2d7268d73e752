# tray_demo (Linux): a small window with the tray icon; a left click on the icon hides or
# shows the window, a right click opens the menu, trays that draw menus get it over D-Bus.
if(NOT WIN32)
  add_executable(tray_demo ${CMAKE_CURRENT_LIST_DIR}/gtk/demo/main.cpp)
  target_link_libraries(tray_demo PRIVATE orvane_warnings orvane_gtk)
  if(TARGET orvane_resources_gtk)
    target_link_libraries(tray_demo PRIVATE orvane_resources_gtk)
  endif()
endif()
