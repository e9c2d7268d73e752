# browser_demo: the login page (or a given address) in the embedded browser inside a window
# of our own, with every browser event printed.
if(NOT WIN32)
  add_executable(browser_demo ${CMAKE_CURRENT_LIST_DIR}/gtk/demo/main.cpp)
  target_link_libraries(browser_demo PRIVATE orvane_warnings orvane_gtk)
endif()
