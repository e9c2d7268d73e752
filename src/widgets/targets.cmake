# The widgets demo: a borderless window with the caption bar, the skinned buttons and
# the frame, on either platform.
if(WIN32)
  add_executable(widgets_demo WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32/demo/main.cpp
                 ${ORVANE_WIN32_RC_SOURCES})
  target_link_libraries(widgets_demo PRIVATE orvane_warnings orvane_win32)
else()
  add_executable(widgets_demo ${CMAKE_CURRENT_LIST_DIR}/gtk/demo/main.cpp)
  target_link_libraries(widgets_demo PRIVATE orvane_warnings orvane_gtk)
  if(TARGET orvane_resources_gtk)
    target_link_libraries(widgets_demo PRIVATE orvane_resources_gtk)
  endif()
endif()
