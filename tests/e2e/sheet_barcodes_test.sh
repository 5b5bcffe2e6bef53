#!/usr/bin/env bash
# The printed codes scan back: tessmar-cli writes the sheet of a settings file that changes
# something in every kind of token, stampwell lays it out, and every barcode on the page, cut out
# alone and rendered, decodes to its setup code, in the sheet's order. (sheet_print_test.py prints
# the pages and reads them back.)
# Usage: sheet_barcodes_test.sh TESSMAR_CLI STAMPWELL
set -euo pipefail
cli=$1
stampwell=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Writes bytes (octal escapes) into the settings file at a decimal offset.
poke() {
  printf "$2" | dd of=settings.orl bs=1 seek="$1" conv=notrunc status=none
}

"$cli" defaults -o settings.orl
poke 20 '\040'                  # scan mode: Auto Power Off
poke 21 '\151'                  # scanner timeout 105: number tokens
poke 0 '\033'                   # Code 39 disabled: its only token
poke 175 '\301\141\000'         # prefix [Shift][a]: modifier and nibble tokens
poke 186 '\300\034\300\132\000' # suffix in scan codes
poke 221 '\001'                 # editing format 2 enabled...
block=$((417 + 163))
poke $((block + 0)) '\200\001\000\376'     # ...for Code 39 and EAN 13 only: Clear All
poke $((block + 146)) '\002\007\074\020'   # its transmission sequence: field tokens
poke $((block + 162)) '\005'               # six fields

"$cli" sheet settings.orl -o Barcode.prn
STAMPWELL_NO_OPEN= "$stampwell" --no-open Barcode.prn 2>/dev/null
[[ -s Barcode.html ]] || { echo "no page written"; exit 1; }

# The sheet's codes in order: the digits before each '<'.
grep -o '[0-9]*<' Barcode.prn | tr -d '<' >expected
grep -q '^51277335127700$' expected || { echo "the enter-setup code is missing"; exit 1; }

# Every barcode alone: each <svg> stands on a line of its own and stands alone as a file.
grep '^<svg' Barcode.html >barcodes
[[ $(wc -l <barcodes) -eq $(wc -l <expected) ]] || { echo "page and sheet differ in count"; exit 1; }
n=0
: >decoded
while IFS= read -r svg; do
  n=$((n + 1))
  printf '%s\n' "$svg" >code.svg
  rsvg-convert --dpi-x 400 --dpi-y 400 --background-color white code.svg -o code.png
  zbarimg -q --raw -Sdisable -Scode128.enable code.png 2>/dev/null >>decoded || echo "(none)" >>decoded
done <barcodes
if ! diff -u expected decoded; then
  echo "barcodes decode to other codes than the sheet's, or out of order"
  exit 1
fi
echo "$n barcodes decode to their codes in order"
