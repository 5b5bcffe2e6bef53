#!/usr/bin/env bash
# tessmar-cli.exe under Wine behind the scanner's own USB port (each reply whole at once) and an
# FTDI chip with a 64 ms latency timer (each reply whole and late), orlo-sim on COM9. Either way
# the reply is all there when the program first looks, so its next message must follow at once;
# the simulator logs how long after each answer it began. A port that sleeps through a reply
# already queued makes most exchanges late by the reply's time on the line, 32 ms.
# Arguments: tessmar-cli.exe, the native build's bin folder.
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
native_bin=$(cd "$2" && pwd)
build_dir=$(dirname "$(dirname "$cli")")
source "$(dirname "$0")/../../scripts/lib/wine.sh"
use_wine_prefix "$build_dir"
work=$(mktemp -d)
trap 'kill %1 2>/dev/null || true; wait; rm -rf "$work"' EXIT
cd "$work"
"$native_bin/tessmar-cli" defaults -o settings.orl

for adapter in "usb" "ftdi:64 --baud 9600"; do
  # shellcheck disable=SC2086
  "$native_bin/orlo-sim" -v --adapter $adapter --link "$build_dir/serial/port9" >/dev/null 2>log &
  until [[ -L "$build_dir/serial/port9" ]]; do sleep 0.05; done
  wine "$cli" read --port COM9 -o read.orl >/dev/null 2>&1 && cmp -s settings.orl read.orl ||
    { echo "FAIL: $adapter: the read failed" >&2; exit 1; }
  kill %1 && wait %1 || true
  # Late: past 20 ms, two thirds of a reply's time on the line. A loaded machine makes some so,
  # a port that sleeps through queued replies more than half.
  late=$(grep -oE '[0-9.]+ ms after the last answer' log | awk '$1 > 20' | wc -l)
  exchanges=$(grep -c "ms after the last answer" log)
  echo "$adapter: $late of $exchanges exchanges late"
  [[ $exchanges -ge 100 && $late -le $((exchanges / 4)) ]] || { echo "FAIL: too many" >&2; exit 1; }
done
