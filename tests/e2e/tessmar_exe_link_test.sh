#!/usr/bin/env bash
# Tessmar.exe as a whole program under Wine, driven from the keyboard as a user would, with
# orlo-sim behind COM1: it downloads its settings to the scanner, and reads a scanner's settings
# back, which it then downloads to a second scanner to show what it read.
# Arguments: the Windows build's bin folder, the native build's bin folder.
set -euo pipefail
windows_bin=$(cd "$1" && pwd)
native_bin=$(cd "$2" && pwd)
build_dir=$(dirname "$windows_bin")
source "$(dirname "$0")/../../scripts/lib/wine.sh"
use_wine_prefix "$build_dir"
serial_dir="$build_dir/serial"

work=$(mktemp -d)
sim=""
tessmar=""
cleanup() {
  [[ -n "$sim" ]] && kill "$sim" 2>/dev/null
  [[ -n "$tessmar" ]] && kill "$tessmar" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

window_id() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true; }

# Waits up to thirty seconds (a loaded machine starts Wine programs slowly) for a visible window
# titled exactly $1.
wait_window() {
  local tries
  for tries in $(seq 300); do
    [[ -n "$(window_id "$1")" ]] && return 0
    sleep 0.1
  done
  return 1
}

# Presses a key, as the keyboard would, in the window titled $1: once that window is up, it is
# given the keyboard focus and the key goes only when it holds it, never to the window it
# replaced. (There is no window manager to give the focus to a new window.)
press() {
  wait_window "$1" || fail "no window \"$1\" to press $2 in"
  timeout 30 xdotool windowfocus --sync "$(window_id "$1")" ||
    fail "the window \"$1\" did not take the focus"
  xdotool key "$2"
}

# Answers the open window titled $1 with key $2 until it closes: a key that lands while a loaded
# machine is still building the window is lost, so it is pressed again, up to five times.
answer() {
  local attempt tries id
  for attempt in $(seq 5); do
    id=$(window_id "$1")
    [[ -z "$id" ]] && return 0
    { timeout 30 xdotool windowfocus --sync "$id" && xdotool key "$2"; } 2>/dev/null || true
    for tries in $(seq 50); do
      [[ -z "$(window_id "$1")" ]] && return 0
      sleep 0.1
    done
  done
  return 1
}

# Starts a simulated scanner behind COM1 with the given options.
start_scanner() {
  "$native_bin/orlo-sim" --link "$serial_dir/port1" "$@" >"$work/orlo-sim.log" 2>&1 &
  sim=$!
  local tries
  for tries in $(seq 100); do
    [[ -L "$serial_dir/port1" ]] && return 0
    sleep 0.05
  done
  fail "orlo-sim did not come up"
}

stop_scanner() {
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
  sim=""
}

# Download settings...: the port dialog preselects COM1; the transfer ends with its message.
download() {
  press "Velkor Orlo Tessmar" ctrl+d
  wait_window "Open COM Port" || fail "no port dialog for the download"
  press "Open COM Port" Return
  wait_window "Download" || fail "no \"Downloaded completely!\" message"
  answer "Download" Return || fail "the completion message stayed"
}

"$native_bin/tessmar-cli" defaults -o "$work/factory.orl"
# A scanner of its own: a 77-second time-out and continuous scanning.
cp "$work/factory.orl" "$work/scanner.orl"
printf '\x10\x4d' | dd of="$work/scanner.orl" bs=1 seek=20 conv=notrunc status=none

# A first run, whose port dialog offers COM1 whatever port a test chose before in this prefix.
wine reg delete 'HKCU\Software\Tessmar' /f >/dev/null 2>&1 || true
cd "$work"
wine "$windows_bin/Tessmar.exe" >/dev/null 2>&1 &
tessmar=$!
wait_window "Velkor Orlo Tessmar" || fail "Tessmar's main window did not open"

start_scanner --save "$work/downloaded.bin"
download
cmp -n 1562 "$work/downloaded.bin" "$work/factory.orl" || fail "the scanner did not get the factory settings"
stop_scanner

start_scanner --settings "$work/scanner.orl"
press "Velkor Orlo Tessmar" ctrl+r
wait_window "Open COM Port" || fail "no port dialog for the read-back"
press "Open COM Port" Return
wait_window "Reader Settings" || fail "no Reader Settings sheet after the read-back"
answer "Reader Settings" Return || fail "the Reader Settings sheet stayed open"
stop_scanner

start_scanner --save "$work/read-back.bin"
download
cmp -n 1562 "$work/read-back.bin" "$work/scanner.orl" || fail "what was read back differs from the scanner's settings"
stop_scanner
echo "Tessmar.exe downloaded its settings and read a scanner's back over COM1"
