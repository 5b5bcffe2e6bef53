#!/usr/bin/env bash
# tessmar-cli sheet: the sheet lands in ./Barcode.prn unless -o says otherwise, a factory file
# gives the sheet that only restores the defaults, and failures exit 1 with one line.
# Usage: cli_sheet_test.sh TESSMAR_CLI
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

"$cli" defaults -o factory.orl || fail "defaults"
"$cli" sheet factory.orl || fail "sheet exited $?"
printf 'Orlo Scanner Configuration Sheet\r\n\r\n51277335127700<Enter Setup>\r\n9993<Restore Default Settings>\r\n\r\n9999<Update>' >want
cmp -s want Barcode.prn || fail "the factory sheet differs: $(od -c Barcode.prn | head)"

mkdir out && "$cli" sheet factory.orl -o out/sheet.prn && cmp -s want out/sheet.prn ||
  fail "-o PATH"

"$cli" sheet missing.orl 2>err; [[ $? -eq 1 && $(wc -l <err) -eq 1 ]] || fail "missing file"
grep -q "cannot open missing.orl" err || fail "missing file message: $(cat err)"

# The test's own full device where it may make one: a sheet that replaced the device by a file
# must not take the system's. Only root could, and root may make a device.
full=/dev/full
mknod full c 1 7 2>/dev/null && full=full
"$cli" sheet factory.orl -o $full 2>err; [[ $? -eq 1 ]] || fail "a full disk is a failure"
grep -q "cannot write $full" err || fail "full disk message: $(cat err)"

"$cli" sheet factory.orl -o no/such/dir/x.prn 2>err; [[ $? -eq 1 ]] || fail "no directory"
grep -q "cannot create no/such/dir/x.prn" err || fail "create message: $(cat err)"

"$cli" sheet 2>/dev/null; [[ $? -eq 2 ]] || fail "no file is a usage error"
"$cli" sheet a.orl b.orl 2>/dev/null; [[ $? -eq 2 ]] || fail "two files are a usage error"
echo "tessmar-cli sheet: all cases pass"
