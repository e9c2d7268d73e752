# Test environment, sourced by tools/test (and by hand for single suites):
# a private X display, a Wine prefix inside the Windows build folder with one
# wineserver kept alive, and a publisher on loopback for the Windows suites.
# Everything started here is stopped by orvane_testenv_stop (tools/test traps it).

orvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORVANE_WIN32_BUILD=${ORVANE_WIN32_BUILD:-$orvane_root/build/win32}
ORVANE_TESTENV_PIDS=()

orvane_testenv_stop() {
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
    wineserver -k 2>/dev/null || true
  fi
  for pid in "${ORVANE_TESTENV_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${ORVANE_TESTENV_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  ORVANE_TESTENV_PIDS=()
}

orvane_start_display() {
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do
    n=$((n + 1))
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  ORVANE_TESTENV_PIDS+=("$!")
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    if xdpyinfo >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.1
  done
  echo "testenv: Xvfb did not start on $DISPLAY" >&2
  return 1
}

# A private D-Bus session bus, so single-instance and tray tests never meet the user's own.
orvane_start_session_bus() {
  local address_file
  address_file=$(mktemp)
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$address_file" \
    >/dev/null 2>&1 &
  ORVANE_TESTENV_PIDS+=("$!")
  local i
  for i in $(seq 1 100); do
    if [ -s "$address_file" ]; then
      DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$address_file")
      export DBUS_SESSION_BUS_ADDRESS
      rm -f "$address_file"
      return 0
    fi
    sleep 0.1
  done
  rm -f "$address_file"
  echo "testenv: the session bus did not start" >&2
  return 1
}

orvane_start_wine() {
  export WINEPREFIX="$ORVANE_WIN32_BUILD/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export ORVANE_WINEPREFIX="$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "testenv: creating the Wine prefix in $WINEPREFIX (once)"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
  # One persistent wineserver keeps every test program's start short. Wine's own
  # services start with the first program and inherit its output; start them here,
  # detached, so no test runner waits on a pipe a service holds open.
  wineserver -p 2>/dev/null || true
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

orvane_start_publisher() {
  [ -x "$orvane_root/tools/publisher" ] || return 0
  local port_file
  port_file=$(mktemp)
  python3 "$orvane_root/tools/publisher" --port 0 --port-file "$port_file" >/dev/null 2>&1 &
  ORVANE_TESTENV_PIDS+=("$!")
  local i
  for i in $(seq 1 100); do
    if [ -s "$port_file" ]; then
      export ORVANE_TEST_PUBLISHER="http://127.0.0.1:$(cat "$port_file")"
      rm -f "$port_file"
      return 0
    fi
    sleep 0.1
  done
  rm -f "$port_file"
  echo "testenv: the publisher did not start" >&2
  return 1
}

export NO_AT_BRIDGE=1
export GDK_BACKEND=x11
