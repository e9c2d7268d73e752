# The updater: a separate small program the client carries (Windows: "Update.exe" as
# resource "UPDATE" 101; Linux: "orvane-update" in the GResource bundle).

# Demo and test builds trust the development key in tools/release-key-DEVELOPMENT-ONLY;
# a release build sets the publisher's own key here.
set(ORVANE_RELEASE_PUBLIC_KEY
    "04d0573c64d4aa58b9c7bc32b317808dd81bd749a2408e28239445b0acbe89b2889c1acf43ea2c620fb881c0e3a87614d3fd00f5e88101184a93b9befdd5360868"
    CACHE STRING "Publisher's release public key: uncompressed P-256 point, hex (130 digits)")
if(NOT ORVANE_RELEASE_PUBLIC_KEY MATCHES "^04[0-9a-fA-F]+$")
  message(FATAL_ERROR "ORVANE_RELEASE_PUBLIC_KEY must be 130 hex digits starting with 04")
endif()
string(LENGTH "${ORVANE_RELEASE_PUBLIC_KEY}" orvane_key_length)
if(NOT orvane_key_length EQUAL 130)
  message(FATAL_ERROR "ORVANE_RELEASE_PUBLIC_KEY must be 130 hex digits starting with 04")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/release_key_config.h.in
               ${CMAKE_BINARY_DIR}/generated/orvane/release_key_config.h @ONLY)

# Portable logic and the platform's cryptography, kept out of the client's libraries.
file(GLOB ORVANE_UPDATER_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
if(WIN32)
  set(ORVANE_UPDATER_CRYPTO_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/bcrypt_release_crypto.cpp)
  set(ORVANE_UPDATER_CRYPTO_LIBS bcrypt)
else()
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  set(ORVANE_UPDATER_CRYPTO_SOURCES ${CMAKE_CURRENT_LIST_DIR}/gtk/openssl_release_crypto.cpp)
  set(ORVANE_UPDATER_CRYPTO_LIBS OpenSSL::Crypto)
endif()
# The test suites live in another folder scope: hand them the lists through properties.
set_property(GLOBAL PROPERTY ORVANE_UPDATER_TEST_SOURCES
             ${ORVANE_UPDATER_SOURCES} ${ORVANE_UPDATER_CRYPTO_SOURCES})
add_library(orvane_updater_logic STATIC ${ORVANE_UPDATER_SOURCES} ${ORVANE_UPDATER_CRYPTO_SOURCES})
target_include_directories(orvane_updater_logic PUBLIC ${ORVANE_SRC_ROOT} ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(orvane_updater_logic PRIVATE orvane_warnings
                      PUBLIC orvane_platform_defs ${ORVANE_UPDATER_CRYPTO_LIBS})
if(WIN32 AND NOT MSVC)
  # Update.exe travels inside Orvane.exe: its code is built for size.
  target_compile_options(orvane_updater_logic PRIVATE -Os -ffunction-sections -fdata-sections)
endif()

# The program. Its output folder is where the client's resources pick it up.
set(ORVANE_UPDATER_OUTPUT_DIR ${CMAKE_BINARY_DIR}/updater)
if(WIN32)
  add_executable(Update WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32/main.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/win32/updater_window.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/win32/win32_updater_files.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/win32/updater.rc
                 ${ORVANE_SRC_ROOT}/app/win32/wininet_http_session.cpp
                 ${ORVANE_SRC_ROOT}/app/win32/win32_event_pump.cpp
                 # The two pieces of the core it uses, compiled for size with the rest.
                 ${ORVANE_SRC_ROOT}/app/download_file.cpp
                 ${ORVANE_SRC_ROOT}/base/publisher.cpp)
  # windres finds the icon and the manifest through the include folders; the icon is the
  # product's, cut down to its small images.
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(updater_icon_dir ${CMAKE_BINARY_DIR}/generated/updater)
  add_custom_command(
    OUTPUT ${updater_icon_dir}/mirab.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${updater_icon_dir}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/win32/small_icon.py
            ${ORVANE_RESOURCES_DIR}/mirab.ico ${updater_icon_dir}/mirab.ico
    DEPENDS ${ORVANE_RESOURCES_DIR}/mirab.ico ${CMAKE_CURRENT_LIST_DIR}/win32/small_icon.py
    COMMENT "Cutting the updater's icon down"
    VERBATIM)
  add_custom_target(orvane_updater_icon DEPENDS ${updater_icon_dir}/mirab.ico)
  add_dependencies(Update orvane_updater_icon)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/win32/updater.rc PROPERTIES OBJECT_DEPENDS
    "${updater_icon_dir}/mirab.ico;${CMAKE_CURRENT_LIST_DIR}/win32/updater.manifest")
  target_include_directories(Update PRIVATE ${updater_icon_dir} ${CMAKE_CURRENT_LIST_DIR}/win32)
  target_link_libraries(Update PRIVATE orvane_warnings orvane_updater_logic
                        wininet comctl32 shell32 user32 gdi32 kernel32)
  target_link_options(Update PRIVATE ${ORVANE_STATIC_LINK})
  if(NOT MSVC)
    # Small: no debug information, unused code dropped.
    target_link_options(Update PRIVATE -s -Wl,--gc-sections)
    target_compile_options(Update PRIVATE -Os -ffunction-sections -fdata-sections)
  endif()
  set(ORVANE_UPDATER_TARGET Update)
  set(ORVANE_UPDATER_FILE ${ORVANE_UPDATER_OUTPUT_DIR}/Update.exe)
else()
  set(updater_bundle_c ${CMAKE_BINARY_DIR}/generated/orvane_updater_resources.c)
  add_custom_command(
    OUTPUT ${updater_bundle_c}
    COMMAND ${ORVANE_GLIB_COMPILE_RESOURCES} --sourcedir=${ORVANE_RESOURCES_DIR}
            --generate-source --c-name=orvane_updater_resources --target=${updater_bundle_c}
            ${CMAKE_CURRENT_LIST_DIR}/gtk/updater.gresource.xml
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/gtk/updater.gresource.xml ${ORVANE_RESOURCES_DIR}/mirab.ico
    COMMENT "Packing the updater's icon"
    VERBATIM)
  file(GLOB updater_gtk_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/gtk/*.cpp)
  list(REMOVE_ITEM updater_gtk_sources ${CMAKE_CURRENT_LIST_DIR}/gtk/openssl_release_crypto.cpp)
  add_executable(orvane-update ${updater_gtk_sources} ${updater_bundle_c}
                 ${ORVANE_SRC_ROOT}/app/gtk/curl_http_session.cpp
                 ${ORVANE_SRC_ROOT}/app/gtk/glib_event_pump.cpp
                 ${ORVANE_SRC_ROOT}/app/gtk/posix_files.cpp)
  pkg_check_modules(ORVANE_UPDATER_GTK REQUIRED IMPORTED_TARGET gtk+-3.0 libcurl)
  target_link_libraries(orvane-update PRIVATE orvane_warnings orvane_updater_logic orvane_core
                        PkgConfig::ORVANE_UPDATER_GTK)
  # It travels inside the client: no debug information (kept in the sanitized build, whose
  # reports need it).
  if(ORVANE_ASAN)
    target_link_options(orvane-update PRIVATE -Wl,--gc-sections)
  else()
    target_link_options(orvane-update PRIVATE -s -Wl,--gc-sections)
  endif()
  set(ORVANE_UPDATER_TARGET orvane-update)
  set(ORVANE_UPDATER_FILE ${ORVANE_UPDATER_OUTPUT_DIR}/orvane-update)
endif()
set_target_properties(${ORVANE_UPDATER_TARGET} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORVANE_UPDATER_OUTPUT_DIR})
set_property(GLOBAL PROPERTY ORVANE_UPDATER_FILE ${ORVANE_UPDATER_FILE})
set_property(GLOBAL PROPERTY ORVANE_UPDATER_TARGET ${ORVANE_UPDATER_TARGET})
