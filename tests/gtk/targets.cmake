# Helper programs of the GTK front-end tests.
if(NOT WIN32)
  # One start of the client for the single-instance hand-over.
  add_executable(single_instance_probe ${CMAKE_CURRENT_LIST_DIR}/mainwin_helper/single_instance_probe.cpp)
  target_link_libraries(single_instance_probe PRIVATE orvane_warnings orvane_gtk)
  add_dependencies(gtk_tests single_instance_probe)
  target_compile_definitions(gtk_tests PRIVATE
    ORVANE_SINGLE_INSTANCE_PROBE="$<TARGET_FILE:single_instance_probe>")
endif()
