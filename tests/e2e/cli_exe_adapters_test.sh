#!/usr/bin/env bash
# tessmar-cli.exe under Wine behind USB adapters, orlo-sim on COM9: the scanner's own USB port,
# which hands over each reply whole at once, and an FTDI chip with a 64 ms latency timer, which
# hands over a reply whole and late. Either way the reply is all there when the program first
# looks, so the program's next message must follow at once. The simulator logs how long after
# each answer the next message began; a port that sleeps through replies already queued makes
# most exchanges late by the reply's length on the line (32 ms).
# Arguments: tessmar-cli.exe, the native build's bin folder.
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
native_bin=$(cd "$2" && pwd)
build_dir=$(dirname "$(dirname "$cli")")
source "$(dirname "$0")/../../scripts/lib/wine.sh"
use_wine_prefix "$build_dir"

work=$(mktemp -d)
sim=""
cleanup() {
  [[ -n "$sim" ]] && kill "$sim" 2>/dev/null
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
cd "$work"
"$native_bin/tessmar-cli" defaults -o settings.orl

# Late is past two thirds of a reply's time on the line; a loaded machine may make a few so.
late_ms=20
for adapter in "usb" "ftdi:64 --baud 9600"; do
  # shellcheck disable=SC2086
  "$native_bin/orlo-sim" -v --adapter $adapter --link "$build_dir/serial/port9" >/dev/null 2>log &
  sim=$!
  until [[ -L "$build_dir/serial/port9" ]]; do sleep 0.05; done
  wine "$cli" read --port COM9 -o read.orl >/dev/null 2>&1 || fail "$adapter: the read failed"
  cmp -s settings.orl read.orl || fail "$adapter: the read gave other settings"
  kill "$sim"
  wait "$sim" || true
  sim=""
  exchanges=$(grep -c "ms after the last answer" log)
  late=$(grep -oE '[0-9.]+ ms after the last answer' log | awk -v late="$late_ms" '$1 > late' | wc -l)
  echo "$adapter: $late of $exchanges exchanges late"
  [[ $exchanges -ge 100 && $late -le $((exchanges / 10)) ]] ||
    fail "$adapter: $late of $exchanges exchanges began more than $late_ms ms after the answer"
done
