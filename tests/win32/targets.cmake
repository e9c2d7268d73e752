# Helper programs of the Windows front-end tests.
if(WIN32)
  # Owns a window in a second process, for the hook's foreign-window check.
  add_executable(winhook_window_owner ${CMAKE_CURRENT_LIST_DIR}/winhook_helper/window_owner.cpp)
  target_link_libraries(winhook_window_owner PRIVATE orvane_warnings orvane_platform_defs)
  target_link_options(winhook_window_owner PRIVATE ${ORVANE_STATIC_LINK})
  add_dependencies(win32_tests winhook_window_owner)
endif()

if(WIN32)
  # A second start's DDE client, for the main window's hand-over.
  add_executable(dde_client ${CMAKE_CURRENT_LIST_DIR}/mainwin_helper/dde_client.cpp)
  target_link_libraries(dde_client PRIVATE orvane_warnings orvane_platform_defs user32 shell32)
  target_link_options(dde_client PRIVATE ${ORVANE_STATIC_LINK})
  add_dependencies(win32_tests dde_client)
endif()
