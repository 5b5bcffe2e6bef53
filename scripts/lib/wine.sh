# Shared by the scripts: a virtual display and a Wine prefix of the build's own.
# Source it; it defines functions only.

# Starts Xvfb on a free display unless one is set; exports DISPLAY. Remembers the server's pid
# in TESSMAR_XVFB_PID so stop_display can end it. The screen is 1280x1024 unless given (WxH).
start_display() {
  if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local size=${1:-1280x1024} n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    TESSMAR_XVFB_PID=$!
    export DISPLAY=":$n"
    local tries
    for tries in $(seq 50); do
      # Our own server must be the one answering: another run may have taken the same number
      # a moment earlier, and then ours has exited.
      kill -0 "$TESSMAR_XVFB_PID" 2>/dev/null || break
      xdpyinfo >/dev/null 2>&1 && kill -0 "$TESSMAR_XVFB_PID" 2>/dev/null && return 0
      sleep 0.1
    done
    kill "$TESSMAR_XVFB_PID" 2>/dev/null || true
  done
  echo "cannot start a virtual display (Xvfb)" >&2
  return 1
}

stop_display() {
  if [[ -n "${TESSMAR_XVFB_PID:-}" ]]; then
    kill "$TESSMAR_XVFB_PID" 2>/dev/null || true
    wait "$TESSMAR_XVFB_PID" 2>/dev/null || true
    unset TESSMAR_XVFB_PID
  fi
}

# Exports the Wine environment for the prefix in BUILD_DIR/wineprefix and creates the prefix the
# first time (about 12 s). Wine never stops to offer its Mono or Gecko installers, and draws
# window frames itself, since Xvfb has no window manager. With TESSMAR_WINE_DPI set (144, say),
# the prefix is BUILD_DIR/wineprefix-dpiN, whose screen has that many dots per inch.
use_wine_prefix() {
  local build_dir=$1
  local name=wineprefix
  [[ -n "${TESSMAR_WINE_DPI:-}" ]] && name="wineprefix-dpi$TESSMAR_WINE_DPI"
  export WINEPREFIX="$(cd "$build_dir" && pwd)/$name"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/.tessmar-ready" ]]; then
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f >/dev/null 2>&1
      if [[ -n "${TESSMAR_WINE_DPI:-}" ]]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
          /d "$TESSMAR_WINE_DPI" /f >/dev/null 2>&1
      fi
      wineserver -w
      touch "$WINEPREFIX/.tessmar-ready"
    fi
    if [[ "$(cat "$WINEPREFIX/.tessmar-ports" 2>/dev/null)" != "$TESSMAR_WINE_PORTS" ]]; then
      map_serial_ports "$(cd "$build_dir" && pwd)/serial"
      echo "$TESSMAR_WINE_PORTS" >"$WINEPREFIX/.tessmar-ports"
    fi
  ) 9>"$build_dir/.$name.lock"
}

# The COM ports of the build's prefix: the six the port dialog always offers, COM7 and COM8 for
# the command-line tool's fleet test, and COM9 and COM12 as a USB adapter or a cradle would be
# numbered.
TESSMAR_WINE_PORTS="1 2 3 4 5 6 7 8 9 12"

# Maps Wine's COMn to DIR/portn for each port above, where the tests (or anyone trying the link)
# put a symbolic link to orlo-sim's pseudo-terminal: `orlo-sim --link DIR/port1`. Names such as
# COM1 would not do: Windows takes them for the devices themselves, in any folder. Wine reads the
# mapping when its device manager starts, so a running wineserver of the prefix is ended.
map_serial_ports() {
  local dir=$1 n
  mkdir -p "$dir"
  for n in $TESSMAR_WINE_PORTS; do
    wine reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /t REG_SZ /d "$dir/port$n" /f >/dev/null 2>&1
  done
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# Keeps one wineserver running for the prefix (for SECONDS after its last client, or for good
# when no number is given), so Wine programs start in a tenth of a second. Wine's own service
# processes are started here too, with no terminal attached: started by a test, they would
# inherit its output pipe and hold it open.
# Does nothing when a wineserver already runs for the prefix.
start_wineserver() {
  if wineserver -p ${1:-} 2>/dev/null; then
    wine cmd /c exit </dev/null >/dev/null 2>&1
  fi
}

# Keeps Wine's desktop process up from one program to the next. Left alone, it ends with the
# last program and the next one starts it anew, which is slower and, when the two meet, can
# leave the new program without a desktop to create its windows on. An idle cmd.exe reading
# from this shell holds it; it ends when the shell does.
hold_wine_desktop() {
  exec 8> >(wine cmd.exe >/dev/null 2>&1)
}
