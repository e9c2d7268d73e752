# The Windows installer, OrvaneSetup-<version>.exe, made by NSIS's makensis (Debian's nsis)
# from orvane.nsi and the built Orvane.exe. Part of the win32 build wherever makensis is.

find_program(ORVANE_MAKENSIS makensis)
set(ORVANE_INSTALLER ${CMAKE_BINARY_DIR}/${ORVANE_PRODUCT_PRODUCT_NAME}Setup-${ORVANE_PRODUCT_VERSION_TEXT}.exe)
if(NOT ORVANE_MAKENSIS)
  message(WARNING "makensis was not found (Debian package nsis, see tools/bootstrap): "
                  "the installer is not built")
  return()
endif()

# The installed program is the built one without its debugging information.
set(ORVANE_INSTALLER_CLIENT ${CMAKE_BINARY_DIR}/installer/${ORVANE_PRODUCT_PRODUCT_NAME}.exe)
add_custom_command(
  OUTPUT ${ORVANE_INSTALLER_CLIENT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installer
  COMMAND ${CMAKE_STRIP} -o ${ORVANE_INSTALLER_CLIENT} $<TARGET_FILE:Orvane>
  DEPENDS Orvane
  COMMENT "Stripping the installer's copy of Orvane.exe"
  VERBATIM)

# makensis with every name and the version as defines; more arguments may follow (the
# tests make a 64-bit build of the same script with -DTARGET_AMD64).
set(ORVANE_MAKENSIS_COMMAND ${ORVANE_MAKENSIS} -V2 -INPUTCHARSET UTF8 -NOCD
          "-DPRODUCT_NAME=${ORVANE_PRODUCT_PRODUCT_NAME}"
          "-DPRODUCT_TITLE=${ORVANE_PACKAGE_TITLE}"
          "-DPRODUCT_PUBLISHER=${ORVANE_PACKAGE_VENDOR}"
          "-DPRODUCT_HOMEPAGE=${ORVANE_PACKAGE_HOMEPAGE}"
          "-DVERSION_TEXT=${ORVANE_PRODUCT_VERSION_TEXT}"
          "-DFILE_VERSION_TEXT=${ORVANE_PRODUCT_FILE_VERSION_TEXT}"
          "-DVERSION_MAJOR=${ORVANE_PRODUCT_VERSION_MAJOR}"
          "-DVERSION_MINOR=${ORVANE_PRODUCT_VERSION_MINOR}"
          "-DCLIENT_EXE=${ORVANE_INSTALLER_CLIENT}"
          "-DICON_FILE=${ORVANE_RESOURCES_DIR}/mirab.ico")
set(nsi ${ORVANE_PACKAGING_DIR}/windows/orvane.nsi)
# The same command for the tests, which add their own defines, output and script.
set(quoted "")
foreach(arg IN LISTS ORVANE_MAKENSIS_COMMAND)
  string(APPEND quoted " '${arg}'")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/installer/makensis.sh
     CONTENT "#!/bin/sh\n# makensis as the build runs it for the installer.\nexec${quoted} \"$@\"\n"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
add_custom_command(
  OUTPUT ${ORVANE_INSTALLER}
  COMMAND ${ORVANE_MAKENSIS_COMMAND}
          "-DOUT_FILE=${ORVANE_INSTALLER}" ${nsi}
  DEPENDS ${nsi} ${ORVANE_INSTALLER_CLIENT} ${ORVANE_RESOURCES_DIR}/mirab.ico
  COMMENT "Making the installer ${ORVANE_PRODUCT_PRODUCT_NAME}Setup-${ORVANE_PRODUCT_VERSION_TEXT}.exe"
  VERBATIM)
add_custom_target(installer ALL DEPENDS ${ORVANE_INSTALLER})
