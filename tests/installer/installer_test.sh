#!/usr/bin/env bash
# The Windows installer (OrvaneSetup-<version>.exe, packaging/windows/orvane.nsi).
#
#   installer_test.sh CASE   with BUILD (the win32 build folder), SOURCE and INSTALLER in
#                            the environment; run by CTest (tests/installer/targets.cmake).
# Cases:
#   contents   what the installer carries, read with 7z without running it: the stripped
#              client, the uninstaller, its version record and its request for no elevation.
#   script64   the same script built as a 64-bit installer and run under 64-bit Wine in a
#              prefix of its own: silent install, files, shortcuts and registry values,
#              silent uninstall, nothing left. (Only the start of the client is missing:
#              Orvane.exe is a 32-bit program.)
#   wine       the shipped 32-bit installer under Wine in the test prefix: silent install,
#              files, shortcuts and registry values, the installed Orvane.exe starts against
#              the publisher and shows its splash, silent uninstall, nothing left. Reported
#              as skipped (exit code 77) where 32-bit programs cannot run.
set -euo pipefail

: "${BUILD:?BUILD names the win32 build folder}"
: "${SOURCE:?SOURCE names the source tree}"
: "${INSTALLER:?INSTALLER names the installer}"
case_name=${1:?which case}

version=$(sed -nE 's/^#define ORVANE_VERSION_TEXT "([^"]+)"$/\1/p' "$SOURCE/src/base/product_version.h")
file_version=$(sed -nE 's/^#define ORVANE_FILE_VERSION_TEXT "([^"]+)"$/\1/p' "$SOURCE/src/base/product_version.h")
title="Orvane客户端"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvane'
emulation_key='HKCU\Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION'

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
expect_eq() {  # expected actual what
  if [ "$1" != "$2" ]; then
    fail "$3: expected [$1], got [$2]"
  fi
}
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$case_name: $failures check(s) failed" >&2
    exit 1
  fi
  echo "$case_name: passed"
  exit 0
}
skip() {
  echo "$case_name: SKIPPED: $*"
  exit 77
}

scratch=$(mktemp -d /tmp/orvane-installer-test-XXXXXX)
child_pids=()
stop_wineserver=""
cleanup() {
  for pid in "${child_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ -n "$stop_wineserver" ]; then
    WINEPREFIX=$stop_wineserver wineserver -k 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

[ -f "$INSTALLER" ] || { echo "FAILED: $INSTALLER was not built (makensis, package nsis)" >&2; exit 1; }

# ---- Wine helpers: $wine is the loader, $WINEPREFIX the prefix -----------------------

wine_run() {
  "$wine" "$@" </dev/null 2>/dev/null
}

# A Windows folder of the prefix's user (%NAME%) as a Unix path.
user_folder() {  # NAME
  local windows
  windows=$(wine_run cmd.exe /c "echo %$1%" | tr -d '\r')
  wine_run winepath.exe -u "$windows"
}

# Wine links a new prefix's Desktop (and the other user folders) to the Unix home; an
# installer's desktop shortcut would land in the real home. The test's prefix gets folders
# of its own instead.
unlink_user_folders() {
  local profile
  profile=$(user_folder USERPROFILE)
  local name
  for name in Desktop Documents Downloads Music Pictures Videos Templates; do
    if [ -L "$profile/$name" ]; then
      rm -f "$profile/$name"
      mkdir -p "$profile/$name"
    fi
  done
}

# The value of a registry value as Wine's reg prints it, or nothing.
reg_value() {  # key name
  wine_run reg.exe query "$1" /v "$2" | tr -d '\r' | sed -nE "s/^ +$2 +REG_[A-Z_]+ +(.*)$/\1/p"
}
reg_key_exists() {  # key
  wine_run reg.exe query "$1" >/dev/null
}

# Silent install, then everything a player should find.
install_and_check() {
  local rc=0
  wine_run "$installer_to_run" /S || rc=$?
  expect_eq 0 "$rc" "the installer's exit code"
  local_appdata=$(user_folder LOCALAPPDATA)
  appdata=$(user_folder APPDATA)
  profile=$(user_folder USERPROFILE)
  install_dir=$local_appdata/Programs/Orvane
  [ -d "$install_dir" ] || fail "no $install_dir"
  expect_eq "Orvane.exe uninst.exe" "$(cd "$install_dir" 2>/dev/null && echo *)" "files in the program folder"
  cmp -s "$BUILD/installer/Orvane.exe" "$install_dir/Orvane.exe" || fail "the installed Orvane.exe is not the build's"
  start_menu_link="$appdata/Microsoft/Windows/Start Menu/Programs/$title.lnk"
  desktop_link="$profile/Desktop/$title.lnk"
  [ -f "$start_menu_link" ] || fail "no Start-menu shortcut $start_menu_link"
  [ -f "$desktop_link" ] || fail "no desktop shortcut $desktop_link"
  # A shortcut names its target in the link file; both point at the installed program.
  local link
  for link in "$start_menu_link" "$desktop_link"; do
    if [ -f "$link" ]; then
      grep -qa 'Orvane.exe' "$link" || fail "$link does not name Orvane.exe"
    fi
  done
  local windows_dir
  windows_dir=$(wine_run cmd.exe /c "echo %LOCALAPPDATA%\\Programs\\Orvane" | tr -d '\r')
  # Wine's reg prints values in the console's code page; the Chinese name is read from an
  # export of the key, which is UTF-16 whatever the code page.
  rm -f "$scratch/uninstall.reg"
  wine_run reg.exe export "$uninstall_key" "$(wine_run winepath.exe -w "$scratch/uninstall.reg" | tr -d '\r')" /y >/dev/null ||
    fail "reg export of the uninstall key"
  expect_eq "\"DisplayName\"=\"$title\"" \
    "$(iconv -f UTF-16 -t UTF-8 "$scratch/uninstall.reg" 2>/dev/null | tr -d '\r' | grep '^"DisplayName"=')" \
    "DisplayName"
  expect_eq "$version" "$(reg_value "$uninstall_key" DisplayVersion)" "DisplayVersion"
  expect_eq "Orvane" "$(reg_value "$uninstall_key" Publisher)" "Publisher"
  expect_eq "$windows_dir\\Orvane.exe,0" "$(reg_value "$uninstall_key" DisplayIcon)" "DisplayIcon"
  expect_eq "\"$windows_dir\\uninst.exe\"" "$(reg_value "$uninstall_key" UninstallString)" "UninstallString"
  expect_eq "\"$windows_dir\\uninst.exe\" /S" "$(reg_value "$uninstall_key" QuietUninstallString)" \
    "QuietUninstallString"
  expect_eq "$windows_dir" "$(reg_value "$uninstall_key" InstallLocation)" "InstallLocation"
  # The size in KiB, within the size of what is in the folder.
  local size_kib
  size_kib=$(($(reg_value "$uninstall_key" EstimatedSize)))
  local real_kib
  real_kib=$(du -sk --apparent-size "$install_dir" | cut -f1)
  [ "$size_kib" -ge $((real_kib - 8)) ] && [ "$size_kib" -le $((real_kib + 8)) ] ||
    fail "EstimatedSize $size_kib KiB, the folder holds $real_kib KiB"
  expect_eq "0x2af9" "$(reg_value "$emulation_key" Orvane.exe)" "browser emulation mode 11001"
}

# Everything the uninstaller takes away is gone.
all_gone() {
  [ ! -e "$install_dir" ] && [ ! -e "$start_menu_link" ] && [ ! -e "$desktop_link" ] &&
    ! reg_key_exists "$uninstall_key" && [ -z "$(reg_value "$emulation_key" Orvane.exe)" ]
}

# Silent uninstall: the uninstaller copies itself away and returns at once, so the checks
# wait (a minute at most) until everything is gone, then say what is not.
uninstall_and_check() {
  wine_run "$install_dir/uninst.exe" /S || fail "the uninstaller did not start"
  local _
  for _ in $(seq 1 120); do
    all_gone && break
    sleep 0.5
  done
  [ ! -e "$install_dir" ] || fail "$install_dir is still there: $(ls -A "$install_dir")"
  [ ! -e "$start_menu_link" ] || fail "the Start-menu shortcut is still there"
  [ ! -e "$desktop_link" ] || fail "the desktop shortcut is still there"
  ! reg_key_exists "$uninstall_key" || fail "the uninstall key is still there"
  expect_eq "" "$(reg_value "$emulation_key" Orvane.exe)" "browser emulation value after removal"
}

# A Windows program with the two header fields that name the moment it was written (the
# time stamp and the checksum over it) set to zero, to compare the code of two copies.
without_stamp() {  # file
  python3 - "$1" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
pe = struct.unpack_from("<I", data, 0x3C)[0]
struct.pack_into("<I", data, pe + 8, 0)   # FileHeader.TimeDateStamp
struct.pack_into("<I", data, pe + 88, 0)  # OptionalHeader.CheckSum
sys.stdout.buffer.write(data)
PY
}

# While a program runs from the installed Orvane.exe, neither the installer nor the
# uninstaller (run in place, so that its exit code is seen) changes anything: both end with
# exit code 2.
check_running_client_is_left_alone() {
  local rc=0 before
  before=$(sha256sum <"$install_dir/Orvane.exe")
  wine_run "$installer_to_run" /S || rc=$?
  expect_eq 2 "$rc" "the installer's exit code while the client runs"
  rc=0
  wine_run "$install_dir/uninst.exe" /S "_?=$(wine_run winepath.exe -w "$install_dir" | tr -d '\r')" || rc=$?
  expect_eq 2 "$rc" "the uninstaller's exit code while the client runs"
  expect_eq "$before" "$(sha256sum <"$install_dir/Orvane.exe" 2>/dev/null)" "the running client's file"
  [ -f "$install_dir/uninst.exe" ] || fail "the uninstaller went while the client runs"
  reg_key_exists "$uninstall_key" || fail "the uninstall key went while the client runs"
}

case "$case_name" in
contents)
  command -v 7z >/dev/null || { echo "FAILED: 7z is missing (p7zip-full)" >&2; exit 1; }
  listing=$(7z l -slt "$INSTALLER")
  grep -q '^Type = Nsis$' <<<"$listing" || fail "7z does not read an NSIS installer"
  grep -q '^SubType = NSIS-3 Unicode' <<<"$listing" || fail "not a Unicode NSIS 3 installer"
  files=$(sed -n 's/^Path = //p' <<<"$listing" | grep -v '^\$PLUGINSDIR/' | tail -n +2 | sort | tr '\n' ' ')
  expect_eq "Orvane.exe uninst.exe " "$files" "files the installer puts in the program folder"
  7z x -y -o"$scratch/payload" "$INSTALLER" Orvane.exe >/dev/null
  cmp -s "$BUILD/installer/Orvane.exe" "$scratch/payload/Orvane.exe" ||
    fail "the carried Orvane.exe is not the build's stripped one"
  i686-w64-mingw32-strip -o "$scratch/stripped.exe" "$BUILD/Orvane.exe"
  cmp -s <(without_stamp "$scratch/stripped.exe") <(without_stamp "$scratch/payload/Orvane.exe") ||
    fail "the carried Orvane.exe is not Orvane.exe stripped"
  # The installer's own resources: the version record and the manifest.
  7z x -y -tPE -o"$scratch/pe" "$INSTALLER" >/dev/null 2>&1 || true
  record=$(iconv -f UTF-16LE -t UTF-8 "$scratch/pe/.rsrc/2052/version.txt" 2>/dev/null | tr -s ' ')
  for value in "\"FileVersion\", \"$file_version\"" "\"ProductVersion\", \"$file_version\"" \
    "\"ProductName\", \"Orvane\"" "\"CompanyName\", \"Orvane\"" \
    "\"FileDescription\", \"$title $version 安装程序\"" \
    "\"OriginalFilename\", \"OrvaneSetup-$version.exe\""; do
    grep -qF "$value" <<<"$record" || fail "version record lacks $value"
  done
  grep -qF "FILEVERSION ${file_version//./,}" <<<"$record" || fail "FILEVERSION is not $file_version"
  grep -qF 'requestedExecutionLevel level="asInvoker"' "$scratch/pe/.rsrc/1033/MANIFEST/1" ||
    fail "the installer asks for elevation"
  finish
  ;;

script64)
  [ -x /usr/lib/wine/wine64 ] || { echo "FAILED: 64-bit Wine is missing (wine64)" >&2; exit 1; }
  installer_to_run=$scratch/OrvaneSetup64.exe
  "$BUILD/installer/makensis.sh" -DTARGET_AMD64 "-DOUT_FILE=$installer_to_run" \
    "$SOURCE/packaging/windows/orvane.nsi" >"$scratch/makensis.log" 2>&1 || {
    cat "$scratch/makensis.log" >&2
    fail "makensis could not build the 64-bit variant"
    finish
  }
  file "$installer_to_run" | grep -q 'PE32+ executable (GUI) x86-64' || fail "not a 64-bit installer"
  wine=/usr/lib/wine/wine64
  export WINEPREFIX=$BUILD/wineprefix-installer64
  export WINEDEBUG=-all
  # No menu entries of Wine's own in the Unix desktop's menus.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINELOADER=$wine
  stop_wineserver=$WINEPREFIX
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the 64-bit Wine prefix $WINEPREFIX (once)"
    wine_run wineboot.exe -i >/dev/null || true
  fi
  unlink_user_folders
  install_and_check
  # A running client: Orvane.exe is a 32-bit program, so a 64-bit one of Wine's own runs
  # from its file instead.
  cp "$WINEPREFIX/drive_c/windows/system32/notepad.exe" "$install_dir/Orvane.exe"
  "$wine" "$install_dir/Orvane.exe" </dev/null >/dev/null 2>&1 &
  running=$!
  child_pids+=("$running")
  # Running once its window is on the display.
  for _ in $(seq 1 240); do
    [ -n "$(xdotool search --pid "$running" 2>/dev/null)" ] && break
    sleep 0.25
  done
  check_running_client_is_left_alone
  kill "$running" 2>/dev/null || true
  wait "$running" 2>/dev/null || true
  rc=0
  wine_run "$installer_to_run" /S || rc=$?
  expect_eq 0 "$rc" "the installer's exit code once the client has ended"
  cmp -s "$BUILD/installer/Orvane.exe" "$install_dir/Orvane.exe" || fail "Orvane.exe was not put back"
  uninstall_and_check
  finish
  ;;

wine)
  command -v wine >/dev/null || skip "Wine is not installed"
  timeout 60 wine --version >/dev/null 2>&1 ||
    skip "this machine cannot run 32-bit programs (Wine's 32-bit loader fails)"
  [ -n "${WINEPREFIX:-}" ] || { echo "FAILED: no WINEPREFIX (tools/testenv.sh orvane_start_wine)" >&2; exit 1; }
  [ -n "${DISPLAY:-}" ] || { echo "FAILED: no DISPLAY (tools/testenv.sh orvane_start_display)" >&2; exit 1; }
  wine=wine
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
  installer_to_run=$INSTALLER
  unlink_user_folders
  # Left over from an interrupted run: taken away first, silently.
  if [ -x "$(user_folder LOCALAPPDATA)/Programs/Orvane/uninst.exe" ]; then
    install_dir=$(user_folder LOCALAPPDATA)/Programs/Orvane
    wine_run "$install_dir/uninst.exe" /S || true
    for _ in $(seq 1 300); do [ -e "$install_dir" ] || break; sleep 0.2; done
  fi
  install_and_check

  # The installed program starts against the publisher and shows its splash.
  publisher=${ORVANE_TEST_PUBLISHER:-}
  if [ -z "$publisher" ]; then
    python3 "$SOURCE/tools/publisher" --port 0 --port-file "$scratch/port" >/dev/null 2>&1 &
    child_pids+=("$!")
    for _ in $(seq 1 100); do [ -s "$scratch/port" ] && break; sleep 0.1; done
    publisher="http://127.0.0.1:$(cat "$scratch/port")"
  fi
  curl -fsS -o /dev/null "$publisher/_control/login?delay=20" || true
  ORVANE_PUBLISHER=$publisher "$wine" "$install_dir/Orvane.exe" </dev/null >"$scratch/client.log" 2>&1 &
  client_pid=$!
  child_pids+=("$client_pid")
  splash=""
  # Any window on the display, named or not, that is mapped and has the splash's size.
  for _ in $(seq 1 240); do
    for id in $(xwininfo -root -tree 2>/dev/null | sed -nE 's/^ +(0x[0-9a-f]+) .* 356x122\+.*/\1/p'); do
      if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
        splash=$id
        break 2
      fi
    done
    sleep 0.25
  done
  [ -n "$splash" ] || fail "the installed Orvane.exe showed no splash"
  if [ -n "$splash" ]; then
    check_running_client_is_left_alone
  fi
  wine_run taskkill.exe /f /im Orvane.exe >/dev/null || true
  kill "$client_pid" 2>/dev/null || true
  wait "$client_pid" 2>/dev/null || true
  curl -fsS -o /dev/null "$publisher/_control/reset" || true

  uninstall_and_check
  finish
  ;;

*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac
