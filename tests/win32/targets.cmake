# Helper programs of the Windows front-end tests.
if(WIN32)
  # Owns a window in a second process, for the hook's foreign-window check.
  add_executable(winhook_window_owner ${CMAKE_CURRENT_LIST_DIR}/winhook_helper/window_owner.cpp)
  target_link_libraries(winhook_window_owner PRIVATE orvane_warnings orvane_platform_defs)
  target_link_options(winhook_window_owner PRIVATE ${ORVANE_STATIC_LINK})
  add_dependencies(win32_tests winhook_window_owner)
endif()

# The updater's tests start Update.exe against a stand-in client.
if(WIN32)
  add_executable(updater_standin WIN32 ${CMAKE_CURRENT_LIST_DIR}/updater_standin/main.cpp)
  target_link_libraries(updater_standin PRIVATE orvane_warnings orvane_platform_defs)
  target_link_options(updater_standin PRIVATE ${ORVANE_STATIC_LINK})
  get_property(updater_file GLOBAL PROPERTY ORVANE_UPDATER_FILE)
  add_dependencies(win32_tests updater_standin Update)
  target_link_libraries(win32_tests PRIVATE orvane_updater_logic)
  if(CMAKE_CROSSCOMPILING)
    set(updater_test_prefix "Z:")
  else()
    set(updater_test_prefix "")
  endif()
  target_compile_definitions(win32_tests PRIVATE
    ORVANE_UPDATER_EXE="${updater_test_prefix}${updater_file}"
    ORVANE_STANDIN_EXE="${updater_test_prefix}$<TARGET_FILE:updater_standin>")

  # A second start's DDE client, for the main window's hand-over.
  add_executable(dde_client ${CMAKE_CURRENT_LIST_DIR}/mainwin_helper/dde_client.cpp)
  target_link_libraries(dde_client PRIVATE orvane_warnings orvane_platform_defs user32 shell32)
  target_link_options(dde_client PRIVATE ${ORVANE_STATIC_LINK})
  add_dependencies(win32_tests dde_client)
endif()
