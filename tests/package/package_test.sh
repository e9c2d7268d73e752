#!/usr/bin/env bash
# The Linux package and the per-user install, checked as a player's machine would meet
# them: the .deb made by CPack (its files, its dependencies, desktop-file-validate,
# appstreamcli and lintian), its unpacked client started against the local publisher
# under the test display, and tools/install --user with its removal.
#
#   package_test.sh CASE   with BUILD (the linux build folder) and SOURCE (the source tree)
#                          in the environment; run by CTest (tests/package/targets.cmake).
# Cases: build, contents, desktop-entry, metainfo, lintian, unpacked-client,
#        user-install, user-update.
set -euo pipefail

: "${BUILD:?BUILD names the linux build folder}"
: "${SOURCE:?SOURCE names the source tree}"
case_name=${1:?which case}

app_id=$(sed -nE 's/^#define ORVANE_APPLICATION_ID "([^"]+)"$/\1/p' "$SOURCE/src/base/product_version.h")
version=$(sed -nE 's/^#define ORVANE_VERSION_TEXT "([^"]+)"$/\1/p' "$SOURCE/src/base/product_version.h")
deb=$BUILD/package/orvane_${version}_amd64.deb
title="Orvane客户端"

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

scratch=$(mktemp -d /tmp/orvane-package-test-XXXXXX)
child_pids=()
cleanup() {
  for pid in "${child_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

need_deb() {
  [ -f "$deb" ] || { echo "FAILED: $deb is missing (the case \"build\" makes it)" >&2; exit 1; }
}

# The value of a key of the [Desktop Entry] group.
desktop_value() {  # file key
  sed -n '/^\[Desktop Entry\]/,/^\[/p' "$1" | sed -n "s/^$2=//p" | head -n 1
}

start_publisher() {
  local port_file=$scratch/publisher-port
  python3 "$SOURCE/tools/publisher" --port 0 --port-file "$port_file" >/dev/null 2>&1 &
  child_pids+=("$!")
  for _ in $(seq 1 100); do
    if [ -s "$port_file" ]; then
      publisher="http://127.0.0.1:$(cat "$port_file")"
      return 0
    fi
    sleep 0.1
  done
  echo "FAILED: the publisher did not start" >&2
  exit 1
}

need_display() {
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "FAILED: no X display (tools/test provides one; or source tools/testenv.sh and" \
      "call orvane_start_display)" >&2
    exit 1
  fi
}

# Starts a client command line with private data, cache and temporary folders; sets
# client_pid.
start_client() {
  local home=$scratch/client-home
  mkdir -p "$home/data" "$home/cache" "$home/tmp"
  chmod 0700 "$home/tmp"
  env XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" TMPDIR="$home/tmp" \
    XDG_DATA_DIRS=/usr/local/share:/usr/share ORVANE_PUBLISHER="$publisher" "$@" \
    >"$scratch/client.log" 2>&1 &
  client_pid=$!
  child_pids+=("$client_pid")
}

# Waits (a minute at most: a first WebKit start can take seconds) for the client's splash,
# a visible 356 x 122 window of process client_pid; sets splash_id.
wait_for_splash() {
  local id geometry
  splash_id=""
  for _ in $(seq 1 240); do
    for id in $(xdotool search --onlyvisible --pid "$client_pid" 2>/dev/null); do
      geometry=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: //p')
      if [ "$geometry" = "356x122" ]; then
        splash_id=$id
        return 0
      fi
    done
    kill -0 "$client_pid" 2>/dev/null || break
    sleep 0.25
  done
  fail "no splash window from process $client_pid; its output:"
  sed 's/^/  | /' "$scratch/client.log" >&2
  return 1
}

# The splash is where the program puts it and carries the window class the desktop entry
# names, so that the desktop matches the running client to its launcher.
check_splash() {  # desktop-entry-file
  local screen width height x y class
  screen=$(xdotool getdisplaygeometry)
  width=${screen% *}
  height=${screen#* }
  eval "$(xdotool getwindowgeometry --shell "$splash_id")"
  x=$X
  y=$Y
  expect_eq "$(((width - 356) / 2)),$(((height - 122) / 2))" "$x,$y" "splash position"
  class=$(xprop -id "$splash_id" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = //p')
  local wm_class
  wm_class=$(desktop_value "$1" StartupWMClass)
  expect_eq "\"$app_id\", \"${app_id^}\"" "$class" "splash window class"
  expect_eq "$app_id" "$wm_class" "StartupWMClass"
  if [ -n "${ORVANE_SCREENSHOT_DIR:-}" ]; then
    import -window root "$ORVANE_SCREENSHOT_DIR/$case_name-splash.png" 2>/dev/null || true
  fi
}

stop_client() {
  kill "$client_pid" 2>/dev/null || true
  wait "$client_pid" 2>/dev/null || true
}

# Every file and folder under a tree, with kind and mode, one a line.
tree_listing() {
  (cd "$1" && find . -mindepth 1 -printf '%y %m %p\n' | LC_ALL=C sort)
}

case "$case_name" in
build)
  rm -f "$deb"
  cpack --config "$BUILD/CPackConfig.cmake" -B "$BUILD/package" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log" >&2
    fail "cpack failed"
  }
  [ -f "$deb" ] || fail "cpack made no $deb"
  finish
  ;;

contents)
  need_deb
  # Exactly these files, no more: the program, the desktop entry, six icon sizes, the
  # AppStream metainfo, the manual page and the two documents Debian asks for.
  expected=$(
    {
      echo "-rwxr-xr-x ./usr/bin/orvane"
      echo "-rw-r--r-- ./usr/share/applications/$app_id.desktop"
      for size in 16 24 32 48 64 128; do
        echo "-rw-r--r-- ./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
      done
      echo "-rw-r--r-- ./usr/share/metainfo/$app_id.metainfo.xml"
      echo "-rw-r--r-- ./usr/share/man/man6/orvane.6.gz"
      echo "-rw-r--r-- ./usr/share/doc/orvane/copyright"
      echo "-rw-r--r-- ./usr/share/doc/orvane/changelog.gz"
    } | LC_ALL=C sort
  )
  actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $6}' | LC_ALL=C sort)
  expect_eq "$expected" "$actual" "files of the package"
  owners=$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)
  expect_eq "root/root" "$owners" "owners in the package"
  expect_eq "orvane" "$(dpkg-deb -f "$deb" Package)" "Package"
  expect_eq "$version" "$(dpkg-deb -f "$deb" Version)" "Version"
  expect_eq "amd64" "$(dpkg-deb -f "$deb" Architecture)" "Architecture"
  # What dpkg-shlibdeps found: the libraries the program is linked with, with versions.
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libc6 libgtk-3-0 libwebkit2gtk-4.1-0 libcurl4 libglib2.0-0 libstdc++6; do
    tr ',' '\n' <<<"$depends" | sed 's/^ //' | grep -q "^${lib//./[.]} (>= [^)]*)$" ||
      fail "Depends lacks a versioned $lib: $depends"
  done
  # The icons are the program's art, at their sizes.
  dpkg-deb -x "$deb" "$scratch/root"
  for size in 16 24 32 48 64 128; do
    icon=$scratch/root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    cmp -s "$icon" "$SOURCE/resources/hicolor/$size.png" || fail "icon $size is not resources/hicolor/$size.png"
    expect_eq "PNG ${size}x${size}" "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" "icon $size"
  done
  # The program is the build's client, stripped: same code, no debug information.
  file "$scratch/root/usr/bin/orvane" | grep -q ', stripped' || fail "usr/bin/orvane is not stripped"
  man_page=$(zcat "$scratch/root/usr/share/man/man6/orvane.6.gz")
  grep -q '^\.TH ORVANE 6 ' <<<"$man_page" || fail "the manual page has no title line"
  zcat "$scratch/root/usr/share/doc/orvane/changelog.gz" | head -n 1 | grep -qF "orvane ($version)" ||
    fail "the changelog does not start with this version"
  finish
  ;;

desktop-entry)
  need_deb
  dpkg-deb -x "$deb" "$scratch/root"
  entry=$scratch/root/usr/share/applications/$app_id.desktop
  desktop-file-validate "$entry" || fail "desktop-file-validate"
  expect_eq "$title" "$(desktop_value "$entry" Name)" "Name"
  expect_eq "$title" "$(desktop_value "$entry" 'Name\[zh_CN\]')" "Name[zh_CN]"
  expect_eq "Game;" "$(desktop_value "$entry" Categories)" "Categories"
  expect_eq "orvane %U" "$(desktop_value "$entry" Exec)" "Exec"
  expect_eq "$app_id" "$(desktop_value "$entry" Icon)" "Icon"
  expect_eq "$app_id" "$(desktop_value "$entry" StartupWMClass)" "StartupWMClass"
  [ -n "$(desktop_value "$entry" Comment)" ] || fail "no Comment"
  [ -n "$(desktop_value "$entry" 'Comment\[zh_CN\]')" ] || fail "no Comment[zh_CN]"
  # The icon it names is in the package at every size.
  for size in 16 24 32 48 64 128; do
    [ -f "$scratch/root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" ] || fail "no $size icon"
  done
  finish
  ;;

metainfo)
  need_deb
  dpkg-deb -x "$deb" "$scratch/root"
  info=$scratch/root/usr/share/metainfo/$app_id.metainfo.xml
  appstreamcli validate --no-net "$info" || fail "appstreamcli validate"
  grep -qF "<id>$app_id</id>" "$info" || fail "component id"
  grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$info" || fail "launchable"
  grep -qF "<release version=\"$version\"" "$info" || fail "no release $version"
  grep -qF "<name>$title</name>" "$info" || fail "name"
  # Every screenshot is one of the pictures of docs/, which the publisher's site carries.
  shots=$(sed -n 's:.*<image>\(.*\)</image>.*:\1:p' "$info")
  [ -n "$shots" ] || fail "no screenshots"
  for shot in $shots; do
    case "$shot" in http://* | https://*) ;; *) fail "screenshot $shot is not a web address" ;; esac
    [ -f "$SOURCE/docs/$(basename "$shot")" ] || fail "screenshot $shot is not in docs/"
  done
  finish
  ;;

lintian)
  need_deb
  # No errors; every warning left is explained in the README by its tag.
  rc=0
  report=$(lintian --tag-display-limit 0 "$deb" 2>"$scratch/lintian.err") || rc=$?
  echo "$report"
  # 1 is lintian's answer to errors in the package; anything else means it did not run.
  [ "$rc" -le 1 ] || { cat "$scratch/lintian.err" >&2; fail "lintian did not run (exit code $rc)"; }
  grep -E '^E: ' <<<"$report" && fail "lintian reports errors"
  for tag in $(sed -nE 's/^W: [^ ]+: ([a-z0-9-]+).*/\1/p' <<<"$report" | sort -u); do
    grep -qF "$tag" "$SOURCE/README.md" || fail "lintian warning $tag is not explained in README.md"
  done
  finish
  ;;

unpacked-client)
  need_deb
  need_display
  dpkg-deb -x "$deb" "$scratch/root"
  start_publisher
  # The publisher holds the login page back, so the splash stays up long enough to see.
  curl -fsS -o /dev/null "$publisher/_control/login?delay=20"
  start_client "$scratch/root/usr/bin/orvane"
  if wait_for_splash; then
    check_splash "$scratch/root/usr/share/applications/$app_id.desktop"
  fi
  stop_client
  finish
  ;;

user-install)
  need_display
  # A home, prefix and data folder of the test's own; the names hold a space, quotes and
  # a dollar sign, which the desktop entry's Exec line must carry through.
  home=$scratch/home
  prefix="$home/my \"games\" \$dir"
  data=$scratch/xdg-data
  mkdir -p "$home" "$data"
  before=$(tree_listing "$scratch")
  env HOME="$home" PREFIX="$prefix" XDG_DATA_HOME="$data" "$SOURCE/tools/install" --user --no-build ||
    fail "tools/install --user"
  program=$prefix/lib/orvane/orvane
  entry=$data/applications/$app_id.desktop
  expected=$(
    {
      echo "f 755 $program"
      echo "l $prefix/bin/orvane"
      echo "f 644 $entry"
      for size in 16 24 32 48 64 128; do
        echo "f 644 $data/icons/hicolor/${size}x${size}/apps/$app_id.png"
      done
    } | LC_ALL=C sort
  )
  actual=$(find "$scratch" -mindepth 1 \( -type f -printf 'f %m %p\n' -o -type l -printf 'l %p\n' \) |
    LC_ALL=C sort)
  expect_eq "$expected" "$actual" "installed files"
  expect_eq "$(readlink -f "$program")" "$(readlink -f "$prefix/bin/orvane")" "command link"
  strip -o "$scratch/stripped" "$BUILD/orvane"
  cmp -s "$scratch/stripped" "$program" || fail "the installed program is not the build's, stripped"
  rm -f "$scratch/stripped"
  desktop-file-validate "$entry" || fail "desktop-file-validate of the installed entry"
  expect_eq "$app_id" "$(desktop_value "$entry" StartupWMClass)" "StartupWMClass"
  # Started the way a desktop starts it: GLib reads the entry's Exec line.
  start_publisher
  curl -fsS -o /dev/null "$publisher/_control/login?delay=20"
  start_client gio launch "$entry"
  launcher=$client_pid
  # gio starts the program as a process of its own and ends; find it by its file.
  client_pid=""
  for _ in $(seq 1 100); do
    for proc in /proc/[0-9]*; do
      if [ "$(readlink "$proc/exe" 2>/dev/null)" = "$program" ]; then
        client_pid=${proc#/proc/}
        break
      fi
    done
    [ -n "$client_pid" ] && break
    sleep 0.1
  done
  if [ -z "$client_pid" ]; then
    fail "the desktop entry did not start $program"
    sed 's/^/  | /' "$scratch/client.log" >&2
  else
    child_pids+=("$client_pid")
    if wait_for_splash; then
      check_splash "$entry"
    fi
    stop_client
  fi
  wait "$launcher" 2>/dev/null || true
  rm -rf "$scratch/client-home" "$scratch/publisher-port" "$scratch/client.log"

  env HOME="$home" PREFIX="$prefix" XDG_DATA_HOME="$data" "$SOURCE/tools/install" --user --remove ||
    fail "tools/install --user --remove"
  expect_eq "$before" "$(tree_listing "$scratch")" "what is left after removal"
  finish
  ;;

user-update)
  need_display
  # The per-user install is the player's to update: the updater the client carries
  # replaces it with a signed release from the publisher, keeps the previous program
  # beside it, and the removal takes both away.
  home=$scratch/home
  prefix=$home/.local
  mkdir -p "$home"
  before=$(tree_listing "$scratch")
  env -u PREFIX -u XDG_DATA_HOME HOME="$home" "$SOURCE/tools/install" --user --no-build ||
    fail "tools/install --user"
  program=$prefix/lib/orvane/orvane
  installed=$(sha256sum <"$program")
  release=$scratch/release-orvane
  { cat "${STANDIN:?STANDIN names the stand-in client of the updater tests}"; printf '\nORVANE-STANDIN:new\n'; } >"$release"
  start_publisher
  curl -fsS -o /dev/null "$publisher/_control/release?version=9.9.9&fault=none&linux=$release"
  : >"$scratch/messages.log"
  rc=0
  ORVANE_PUBLISHER=$publisher ORVANE_UPDATER_WAIT_SECONDS=1 \
    ORVANE_UPDATER_MESSAGE_LOG="$scratch/messages.log" \
    "${UPDATER:?UPDATER names orvane-update}" "$prefix/lib/orvane|$program" || rc=$?
  expect_eq 0 "$rc" "the updater's exit code (messages: $(cat "$scratch/messages.log"))"
  cmp -s "$release" "$program" || fail "the installed program was not replaced by the release"
  expect_eq "$installed" "$(sha256sum <"$program.old")" "the previous program kept as orvane.old"
  for _ in $(seq 1 100); do
    [ -s "$prefix/lib/orvane/starts.log" ] && break
    sleep 0.1
  done
  expect_eq "new" "$(cat "$prefix/lib/orvane/starts.log" 2>/dev/null)" "the new program was started"
  rm -f "$prefix/lib/orvane/starts.log" "$release" "$scratch/messages.log" "$scratch/publisher-port"
  env -u PREFIX -u XDG_DATA_HOME HOME="$home" "$SOURCE/tools/install" --user --remove ||
    fail "tools/install --user --remove"
  expect_eq "$before" "$(tree_listing "$scratch")" "what is left after removal"
  finish
  ;;

*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac
