# The Windows installer (tests/installer/installer_test.sh). "contents" reads it with 7z
# and "script64" runs its script, built as a 64-bit installer, under 64-bit Wine: both
# run wherever the win32 build is made (label "host"). "wine" runs the shipped 32-bit
# installer and the installed client under Wine and skips itself where 32-bit programs
# cannot run. Only the 32-bit build makes the installer.
if(WIN32 AND CMAKE_CROSSCOMPILING AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(installer_test ${CMAKE_CURRENT_LIST_DIR}/installer_test.sh)
  set(installer_env BUILD=${CMAKE_BINARY_DIR} SOURCE=${CMAKE_SOURCE_DIR} INSTALLER=${ORVANE_INSTALLER})
  foreach(case contents script64 wine)
    add_test(NAME installer.${case} COMMAND ${installer_test} ${case})
    set_tests_properties(installer.${case} PROPERTIES ENVIRONMENT "${installer_env}" TIMEOUT 600
                         SKIP_RETURN_CODE 77)
  endforeach()
  set_tests_properties(installer.contents installer.script64 PROPERTIES LABELS "installer;host")
  set_tests_properties(installer.wine PROPERTIES LABELS installer)
endif()
