# The Windows installer, OrvaneSetup-<version>.exe, made by NSIS's makensis (Debian's nsis)
# from orvane.nsi and the built Orvane.exe. Part of the win32 build wherever makensis is.

find_program(ORVANE_MAKENSIS makensis)
set(ORVANE_INSTALLER ${CMAKE_BINARY_DIR}/${ORVANE_PRODUCT_PRODUCT_NAME}Setup-${ORVANE_PRODUCT_VERSION_TEXT}.exe)
if(NOT ORVANE_MAKENSIS)
  message(WARNING "makensis was not found (Debian package nsis, see tools/bootstrap): "
                  "the installer is not built")
  return()
endif()

set(nsi ${ORVANE_PACKAGING_DIR}/windows/orvane.nsi)
add_custom_command(
  OUTPUT ${ORVANE_INSTALLER}
  COMMAND ${ORVANE_MAKENSIS} -V2 -INPUTCHARSET UTF8 -NOCD
          "-DPRODUCT_NAME=${ORVANE_PRODUCT_PRODUCT_NAME}"
          "-DPRODUCT_TITLE=${ORVANE_PACKAGE_TITLE}"
          "-DPRODUCT_PUBLISHER=${ORVANE_PACKAGE_VENDOR}"
          "-DPRODUCT_HOMEPAGE=${ORVANE_PACKAGE_HOMEPAGE}"
          "-DVERSION_TEXT=${ORVANE_PRODUCT_VERSION_TEXT}"
          "-DFILE_VERSION_TEXT=${ORVANE_PRODUCT_FILE_VERSION_TEXT}"
          "-DVERSION_MAJOR=${ORVANE_PRODUCT_VERSION_MAJOR}"
          "-DVERSION_MINOR=${ORVANE_PRODUCT_VERSION_MINOR}"
          "-DCLIENT_EXE=$<TARGET_FILE:Orvane>"
          "-DICON_FILE=${ORVANE_RESOURCES_DIR}/mirab.ico"
          "-DOUT_FILE=${ORVANE_INSTALLER}"
          ${nsi}
  DEPENDS ${nsi} Orvane ${ORVANE_RESOURCES_DIR}/mirab.ico
  COMMENT "Making the installer ${ORVANE_PRODUCT_PRODUCT_NAME}Setup-${ORVANE_PRODUCT_VERSION_TEXT}.exe"
  VERBATIM)
add_custom_target(installer ALL DEPENDS ${ORVANE_INSTALLER})
