# The Linux package and the per-user install (tests/package/package_test.sh): the case
# "build" makes the .deb with CPack from the built client, the others look at it.
if(NOT WIN32)
  set(package_test ${CMAKE_CURRENT_LIST_DIR}/package_test.sh)
  get_property(updater_file GLOBAL PROPERTY ORVANE_UPDATER_FILE)
  set(package_env
      BUILD=${CMAKE_BINARY_DIR} SOURCE=${CMAKE_SOURCE_DIR}
      UPDATER=${updater_file} STANDIN=$<TARGET_FILE:updater_standin>
      ORVANE_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/package)
  add_test(NAME package.build COMMAND ${package_test} build)
  set_tests_properties(package.build PROPERTIES FIXTURES_SETUP orvane_deb)
  foreach(case contents desktop-entry metainfo lintian unpacked-client)
    add_test(NAME package.${case} COMMAND ${package_test} ${case})
    set_tests_properties(package.${case} PROPERTIES FIXTURES_REQUIRED orvane_deb)
  endforeach()
  foreach(case user-install user-update)
    add_test(NAME package.${case} COMMAND ${package_test} ${case})
  endforeach()
  foreach(case build contents desktop-entry metainfo lintian unpacked-client user-install user-update)
    set_tests_properties(package.${case} PROPERTIES LABELS package TIMEOUT 300
                         ENVIRONMENT "${package_env}")
  endforeach()
endif()
