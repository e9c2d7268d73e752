# The Linux package: /usr/bin/orvane, its desktop entry, icons, AppStream metainfo, manual
# page and documents, made into a .deb by CPack with the dependencies dpkg-shlibdeps finds.
# tools/install --user installs the binary, the desktop entry and the icons from the same
# build for one player, without root.

set(ORVANE_PACKAGE_OUT ${CMAKE_BINARY_DIR}/packaging)
set(app_id ${ORVANE_PRODUCT_APPLICATION_ID})
set(linux_dir ${ORVANE_PACKAGING_DIR}/linux)

# The texts are templates: every name, id and the version is filled in from the one header.
set(ORVANE_PACKAGE_DESKTOP_FILE ${ORVANE_PACKAGE_OUT}/${app_id}.desktop)
set(ORVANE_PACKAGE_METAINFO_FILE ${ORVANE_PACKAGE_OUT}/${app_id}.metainfo.xml)
configure_file(${linux_dir}/orvane.desktop.in ${ORVANE_PACKAGE_DESKTOP_FILE} @ONLY)
configure_file(${linux_dir}/orvane.metainfo.xml.in ${ORVANE_PACKAGE_METAINFO_FILE} @ONLY)
configure_file(${linux_dir}/copyright.in ${ORVANE_PACKAGE_OUT}/copyright @ONLY)
configure_file(${linux_dir}/changelog.in ${ORVANE_PACKAGE_OUT}/changelog @ONLY)
configure_file(${linux_dir}/orvane.6.in ${ORVANE_PACKAGE_OUT}/orvane.6 @ONLY)
# Compressed here, at configure time: configure_file above already re-runs this when a
# template changes. -n keeps names and times out, so the same sources give the same bytes.
foreach(text changelog orvane.6)
  execute_process(COMMAND gzip -9nc ${ORVANE_PACKAGE_OUT}/${text}
                  OUTPUT_FILE ${ORVANE_PACKAGE_OUT}/${text}.gz RESULT_VARIABLE gzip_result)
  if(NOT gzip_result EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${text}")
  endif()
endforeach()

# Directories made by the install are 0755 whatever the umask of the one who builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS orvane RUNTIME DESTINATION bin)
install(FILES ${ORVANE_PACKAGE_DESKTOP_FILE} DESTINATION share/applications)
install(FILES ${ORVANE_PACKAGE_METAINFO_FILE} DESTINATION share/metainfo)
foreach(size 16 24 32 48 64 128)
  install(FILES ${ORVANE_RESOURCES_DIR}/hicolor/${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${app_id}.png)
endforeach()
install(FILES ${ORVANE_PACKAGE_OUT}/orvane.6.gz DESTINATION share/man/man6)
install(FILES ${ORVANE_PACKAGE_OUT}/copyright ${ORVANE_PACKAGE_OUT}/changelog.gz
        DESTINATION share/doc/orvane)

# Full RELRO and immediate binding for the installed program, as Debian builds its own.
target_link_options(orvane PRIVATE -Wl,-z,relro -Wl,-z,now)

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${ORVANE_PRODUCT_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR ${ORVANE_PACKAGE_VENDOR})
set(CPACK_PACKAGE_CONTACT ${ORVANE_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORVANE_PACKAGE_CONTACT})
# Not "games": Debian keeps the programs of that section in /usr/games, and players and
# the desktop expect the client as /usr/bin/orvane. It is a web client of one game.
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ORVANE_PACKAGE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${ORVANE_PACKAGE_SUMMARY}
Orvane gives the browser game ${ORVANE_PRODUCT_GAME_NAME} a window of its own: a splash
picture at start, a check for a newer version, the publisher's login page in
an embedded web view, then a window in which each logged-in account plays in
its own tab, with a tray icon, the F10 boss key and single-instance hand-over
of game addresses.")
include(CPack)
