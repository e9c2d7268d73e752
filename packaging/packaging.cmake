# Installing the client: the Linux package (CPack, .deb) and the Windows installer (NSIS).
#
# Linux:   `cpack --config build/linux/CPackConfig.cmake -B build/linux/package` (or the
#          `package` target) makes orvane_<version>_amd64.deb from the built client;
#          tools/install --user puts the same files in the player's own folders.
# Windows: the `installer` target (part of the win32 build when makensis is there) makes
#          OrvaneSetup-<version>.exe in the build folder.
#
# Names and the version come from src/base/product_version.h, the header the program and
# its Windows version record are built from, so the packages can never tell another
# version than the program does.

set(ORVANE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

file(STRINGS ${PROJECT_SOURCE_DIR}/src/base/product_version.h orvane_product_lines
     REGEX "^#define ORVANE_[A-Z_]+ ")
foreach(line IN LISTS orvane_product_lines)
  if(line MATCHES "^#define ORVANE_([A-Z_]+) \"([^\"]*)\"$")
    set(ORVANE_PRODUCT_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  elseif(line MATCHES "^#define ORVANE_([A-Z_]+) ([0-9]+)$")
    set(ORVANE_PRODUCT_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endif()
endforeach()
foreach(name PRODUCT_NAME GAME_NAME APPLICATION_ID VERSION_TEXT FILE_VERSION_TEXT)
  if(NOT DEFINED ORVANE_PRODUCT_${name})
    message(FATAL_ERROR "src/base/product_version.h defines no ORVANE_${name}")
  endif()
endforeach()
if(NOT ORVANE_PRODUCT_VERSION_TEXT STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "project(VERSION ${PROJECT_VERSION}) differs from ORVANE_VERSION_TEXT "
                      "\"${ORVANE_PRODUCT_VERSION_TEXT}\" in src/base/product_version.h")
endif()

# Texts shared by the packages of both platforms.
set(ORVANE_PACKAGE_TITLE "${ORVANE_PRODUCT_PRODUCT_NAME}客户端")
set(ORVANE_PACKAGE_VENDOR "${ORVANE_PRODUCT_PRODUCT_NAME}")
set(ORVANE_PACKAGE_CONTACT "${ORVANE_PRODUCT_PRODUCT_NAME} <client@orvane-game.com>")
set(ORVANE_PACKAGE_HOMEPAGE "${ORVANE_PORTAL}/zt/${ORVANE_PRODUCT_GAME_NAME}/")
set(ORVANE_PACKAGE_SUMMARY "client for the browser game ${ORVANE_PRODUCT_GAME_NAME}")
# The day this version was released (AppStream release, Debian changelog).
set(ORVANE_RELEASE_DATE "2026-12-08")
set(ORVANE_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")

if(WIN32)
  # The installer ships the 32-bit client; a 64-bit Windows build is made for its tests only.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    include(${ORVANE_PACKAGING_DIR}/windows/installer.cmake)
  endif()
else()
  include(${ORVANE_PACKAGING_DIR}/linux/package.cmake)
endif()
