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

  # One start of the client for the single-instance hand-over.
  add_executable(single_instance_probe ${CMAKE_CURRENT_LIST_DIR}/mainwin_helper/single_instance_probe.cpp)
  target_link_libraries(single_instance_probe PRIVATE orvane_warnings orvane_gtk)
  add_dependencies(gtk_tests single_instance_probe)
  target_compile_definitions(gtk_tests PRIVATE
    ORVANE_SINGLE_INSTANCE_PROBE="$<TARGET_FILE:single_instance_probe>")
endif()
