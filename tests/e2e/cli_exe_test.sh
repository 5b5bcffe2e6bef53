#!/usr/bin/env bash
# tessmar-cli.exe as a whole program under Wine: a file name in Greek comes back whole in its
# message, settings in text form go out and come back byte for byte, and one download goes to
# two scanners at once, orlo-sim behind COM7 and COM8, which are then read into a folder.
# Arguments: tessmar-cli.exe, the native build's bin folder.
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
native_bin=$(cd "$2" && pwd)
build_dir=$(dirname "$(dirname "$cli")")
source "$(dirname "$0")/../../scripts/lib/wine.sh"
use_wine_prefix "$build_dir"
# Wine reads the names on its command line in the locale's encoding.
export LANG=C.UTF-8

work=$(mktemp -d)
sims=()
cleanup() {
  for sim in "${sims[@]}"; do kill "$sim" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# The program's output without the CR its C library puts before each line feed.
run() { wine "$cli" "$@" 2>&1 | tr -d '\r'; }
cd "$work"

name="Ρυθμίσεις σαρωτή.orl"
said=$(run tree "$name" || true)
[[ "$said" == "tessmar-cli: cannot open $name: No such file or directory" ]] ||
  fail "the Greek name did not come back whole: $said"

"$native_bin/tessmar-cli" defaults -o factory.orl
cp factory.orl settings.orl
printf '\x10\x4d\x00\x01' | dd of=settings.orl bs=1 seek=20 conv=notrunc status=none
printf '\xC0\x1C\x00\x42' | dd of=settings.orl bs=1 seek=175 conv=notrunc status=none
run export settings.orl -o settings.toml >/dev/null
run import settings.toml -o again.orl >/dev/null
cmp -s settings.orl again.orl || fail "the settings did not come back from their text"
[[ "$(run tree settings.toml)" == "$("$native_bin/tessmar-cli" tree settings.orl)" ]] ||
  fail "tree shows the text otherwise than the settings file"

for n in 7 8; do
  "$native_bin/orlo-sim" --link "$build_dir/serial/port$n" >/dev/null 2>&1 &
  sims+=($!)
done
for tries in $(seq 100); do
  [[ -L "$build_dir/serial/port7" && -L "$build_dir/serial/port8" ]] && break
  sleep 0.05
done
said=$(run download settings.orl --port COM7 --port COM8 --verify) ||
  fail "the download to two scanners failed: $said"
hash=$(sha256sum settings.orl | cut -c1-8 | tr a-f A-F)
fingerprint=" (fingerprint ${hash:0:4}-${hash:4:4})"
[[ "$said" == "COM7: verified$fingerprint"$'\n'"COM8: verified$fingerprint" ]] ||
  fail "unexpected results: $said"
# Read into files named after the ports, never into the ports themselves: Windows takes a file
# named COM7.orl for the device COM7, in any folder.
said=$(run read --port COM7 --port COM8 -o fleet) || fail "the read of two scanners failed: $said"
for n in 7 8; do
  cmp -s settings.orl "fleet/COM$n-settings.orl" || fail "COM$n was not read into its file: $said"
done
echo "tessmar-cli.exe: a Greek name, settings as text, and two scanners at once"
