# tabstrip_demo: a window with a strip of several tabs hosting plain page windows.
if(WIN32)
  add_executable(tabstrip_demo WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32/demo/main.cpp
                                     ${ORVANE_WIN32_RC_SOURCES})
  target_link_libraries(tabstrip_demo PRIVATE orvane_warnings orvane_win32)
  target_link_options(tabstrip_demo PRIVATE ${ORVANE_STATIC_LINK})
else()
  add_executable(tabstrip_demo ${CMAKE_CURRENT_LIST_DIR}/gtk/demo/main.cpp)
  target_link_libraries(tabstrip_demo PRIVATE orvane_warnings orvane_gtk)
  if(TARGET orvane_resources_gtk)
    target_link_libraries(tabstrip_demo PRIVATE orvane_resources_gtk)
  endif()
endif()
