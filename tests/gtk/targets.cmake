# Programs the Linux front-end tests start as real processes.
if(NOT WIN32)
  add_executable(updater_standin ${CMAKE_CURRENT_LIST_DIR}/updater_standin/main.cpp)
  target_link_libraries(updater_standin PRIVATE orvane_warnings)
  get_property(updater_file GLOBAL PROPERTY ORVANE_UPDATER_FILE)
  get_property(updater_target GLOBAL PROPERTY ORVANE_UPDATER_TARGET)
  add_dependencies(gtk_tests updater_standin ${updater_target} orvane)
  target_compile_definitions(gtk_tests PRIVATE
    ORVANE_UPDATER_PROGRAM="${updater_file}"
    ORVANE_STANDIN_PROGRAM="$<TARGET_FILE:updater_standin>"
    ORVANE_CLIENT_PROGRAM="$<TARGET_FILE:orvane>")
endif()
