# The program's resources, packed into its binaries. The pictures in this folder are
# committed as they are; make_art.py draws them and is never run by the build.
#
# Windows: ORVANE_WIN32_RC_SOURCES holds the compiled resource script; add it to the
#          sources of Orvane.exe and of every test program that reads resources.
# Linux:   orvane_resources_gtk is an object library holding the compiled GResource
#          bundle; link it into the program and the test programs. Its objects are linked
#          whole, so the constructor that registers the bundle is never dropped.

set(ORVANE_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})
file(GLOB ORVANE_RESOURCE_FILES CONFIGURE_DEPENDS
     ${ORVANE_RESOURCES_DIR}/*.bmp ${ORVANE_RESOURCES_DIR}/*.png ${ORVANE_RESOURCES_DIR}/*.ico)
list(FILTER ORVANE_RESOURCE_FILES EXCLUDE REGEX "/contact_sheet\\.png$")

if(ORVANE_PLATFORM STREQUAL "win32")
  set(rc_file ${ORVANE_RESOURCES_DIR}/orvane.rc)
  add_library(orvane_resources_win32 OBJECT ${rc_file})
  # windres looks for the files the script names in its include folders too.
  # The updater (src/updater/targets.cmake) is built into ${CMAKE_BINARY_DIR}/updater.
  target_include_directories(orvane_resources_win32 PRIVATE
    ${ORVANE_RESOURCES_DIR} ${PROJECT_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/updater)
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS
    "${ORVANE_RESOURCE_FILES};${PROJECT_SOURCE_DIR}/src/base/resource_ids.h;${PROJECT_SOURCE_DIR}/src/base/product_version.h;${CMAKE_BINARY_DIR}/updater/Update.exe")
  add_dependencies(orvane_resources_win32 Update)
  set(ORVANE_WIN32_RC_SOURCES $<TARGET_OBJECTS:orvane_resources_win32>)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(ORVANE_GIO REQUIRED IMPORTED_TARGET gio-2.0)
  find_program(ORVANE_GLIB_COMPILE_RESOURCES glib-compile-resources REQUIRED)
  set(bundle_xml ${ORVANE_RESOURCES_DIR}/orvane.gresource.xml)
  set(bundle_c ${CMAKE_BINARY_DIR}/generated/orvane_resources.c)
  add_custom_command(
    OUTPUT ${bundle_c}
    COMMAND ${ORVANE_GLIB_COMPILE_RESOURCES} --sourcedir=${ORVANE_RESOURCES_DIR}
            --sourcedir=${CMAKE_BINARY_DIR}/updater
            --generate-source --c-name=orvane_resources --target=${bundle_c} ${bundle_xml}
    DEPENDS ${bundle_xml} ${ORVANE_RESOURCE_FILES} orvane-update ${CMAKE_BINARY_DIR}/updater/orvane-update
    COMMENT "Packing the program's resources"
    VERBATIM)
  add_library(orvane_resources_gtk OBJECT ${bundle_c})
  target_link_libraries(orvane_resources_gtk PUBLIC PkgConfig::ORVANE_GIO)
endif()
