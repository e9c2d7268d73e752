# Test environment, sourced by tools/test (and by hand for single suites):
# a private X display, a private D-Bus session bus, a Wine prefix inside the Windows
# build folder with one wineserver kept alive, and a publisher on loopback for the
# Windows suites. `orvane_start_wine` prepares 32-bit Wine for build/win32;
# `orvane_start_wine win64` prepares 64-bit Wine for build/win64, in a prefix of its own.
# Everything started here is stopped by orvane_testenv_stop (tools/test traps it).

orvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORVANE_WIN32_BUILD=${ORVANE_WIN32_BUILD:-$orvane_root/build/win32}
ORVANE_WIN64_BUILD=${ORVANE_WIN64_BUILD:-$orvane_root/build/win64}
# The `wine` command picks the 32-bit loader whenever it is installed, even where it
# cannot start: 64-bit Wine is called by its loader's path.
ORVANE_WINE64=${ORVANE_WINE64:-/usr/lib/wine/wine64}
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

# A session bus of the run's own (tray icon, single-instance hand-over), so that tests
# never meet the desktop's real tray or a client the user has running.
orvane_start_session_bus() {
  local address_file
  address_file=$(mktemp)
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$address_file" \
    >/dev/null 2>&1 &
  ORVANE_TESTENV_PIDS+=("$!")
  local i
  for i in $(seq 1 100); do
    if [ -s "$address_file" ]; then
      DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$address_file")
      export DBUS_SESSION_BUS_ADDRESS
      rm -f "$address_file"
      return 0
    fi
    sleep 0.1
  done
  rm -f "$address_file"
  echo "testenv: dbus-daemon did not start" >&2
  return 1
}

# Whether Wine's 32-bit loader can start here (some kernels run 64-bit code only).
orvane_wine_can_run_32bit() {
  command -v wine >/dev/null || return 1
  timeout 60 wine --version >/dev/null 2>&1
}

# Whether 64-bit Wine can start here.
orvane_wine_can_run_64bit() {
  [ -x "$ORVANE_WINE64" ] || return 1
  timeout 60 "$ORVANE_WINE64" --version >/dev/null 2>&1
}

# Runs a Windows program with the loader of the prefix orvane_start_wine prepared.
orvane_wine() {
  "${ORVANE_WINE:-wine}" "$@"
}

# orvane_start_wine [win32|win64]: win32 (the default) for build/win32, win64 for
# build/win64.
orvane_start_wine() {
  local arch=${1:-win32}
  if [ "$arch" = win64 ]; then
    export WINEPREFIX="$ORVANE_WIN64_BUILD/wineprefix"
    export WINEARCH=win64
    export WINELOADER="$ORVANE_WINE64"
    ORVANE_WINE=$ORVANE_WINE64
  else
    export WINEPREFIX="$ORVANE_WIN32_BUILD/wineprefix"
    unset WINEARCH WINELOADER
    ORVANE_WINE=wine
  fi
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export ORVANE_WINEPREFIX="$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "testenv: creating the Wine prefix in $WINEPREFIX (once)"
    mkdir -p "$(dirname "$WINEPREFIX")"
    orvane_wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
  orvane_wine_cjk_font
  # One persistent wineserver keeps every test program's start short. Wine's own
  # services start with the first program and inherit its output; start them here,
  # detached, so no test runner waits on a pipe a service holds open.
  wineserver -p 2>/dev/null || true
  orvane_wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# Chinese text under Wine: the prefix gets Debian's WenQuanYi Zen Hei, linked into its
# Fonts folder, named as the substitute of SimSun/宋体 and linked behind the dialog and
# message fonts (FontLink), so that message boxes and captions show real characters.
# Done once per prefix; the marker names the font file it was done for.
orvane_wine_cjk_font() {
  local font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
  local marker="$WINEPREFIX/.orvane-cjk-font"
  [ -f "$font" ] || { echo "testenv: $font is missing (fonts-wqy-zenhei)" >&2; return 0; }
  [ -f "$marker" ] && [ "$(cat "$marker")" = "$font" ] && return 0
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  ln -sf "$font" "$fonts/wqy-zenhei.ttc"
  local reg
  reg=$(mktemp --suffix=.reg)
  python3 - "$reg" <<'PY'
import sys
face = "WenQuanYi Zen Hei"
link = "wqy-zenhei.ttc," + face
def multi_sz(*items):
    data = "".join(i + "\0" for i in items) + "\0"
    raw = data.encode("utf-16-le")
    return "hex(7):" + ",".join("%02x" % b for b in raw)
lines = ["Windows Registry Editor Version 5.00", ""]
lines.append(r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]")
for name in ["SimSun", "NSimSun", "宋体", "新宋体", "SimHei", "黑体", "Microsoft YaHei", "微软雅黑"]:
    lines.append('"%s"="%s"' % (name, face))
lines.append("")
lines.append(r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]")
for name in ["Tahoma", "MS Shell Dlg", "MS Shell Dlg 2", "Microsoft Sans Serif", "Segoe UI",
             "Arial", "Lucida Sans Unicode", "Courier New", "Times New Roman"]:
    lines.append('"%s"=%s' % (name, multi_sz(link)))
lines.append("")
with open(sys.argv[1], "w", encoding="utf-16") as f:
    f.write("\r\n".join(lines))
PY
  if orvane_wine regedit /S "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1; then
    wineserver -w 2>/dev/null || true
    echo "$font" >"$marker"
  else
    echo "testenv: could not register the CJK font in the Wine prefix" >&2
  fi
  rm -f "$reg"
}

# orvane_screenshot_watcher DIR: takes the pictures the Windows suites ask for when they
# run with ORVANE_SCREENSHOT_DIR=DIR: for each NAME.request left there, the whole X screen
# (`import -window root`) as NAME.png, written under another name first and then renamed so
# that the waiting test never reads half a file.
orvane_screenshot_watcher() {
  local dir=$1
  mkdir -p "$dir"
  (
    while sleep 0.2; do
      for request in "$dir"/*.request; do
        [ -e "$request" ] || continue
        local name
        name=$(basename "$request" .request)
        import -window root "png:$dir/.$name.png.part" &&
          mv "$dir/.$name.png.part" "$dir/$name.png"
        rm -f "$request"
      done
    done
  ) &
  ORVANE_TESTENV_PIDS+=("$!")
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
