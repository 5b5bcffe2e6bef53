#!/usr/bin/env bash
# tessmar-cli sheet onto a full file system (a small tmpfs, which needs root to mount): the old
# sheet stays byte for byte, a new one is not created at all, and nothing is left behind.
# Usage: cli_full_disk_test.sh TESSMAR_CLI
set -uo pipefail
cli=$1
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }
[[ $(id -u) -eq 0 ]] || skip "mounting a small tmpfs needs root"
work=$(mktemp -d)
disk="$work/disk"
mkdir "$disk"
mount -t tmpfs -o size=64k tmpfs "$disk" 2>/dev/null || { rmdir "$disk" "$work"; skip "cannot mount a tmpfs"; }
trap 'umount "$disk"; rm -rf "$work"' EXIT
cd "$work"

"$cli" defaults -o changed.orl
# Bytes 21 (timeout) and 175 on (prefix, suffix...) changed make a sheet of some kilobytes.
printf '\151' | dd of=changed.orl bs=1 seek=21 conv=notrunc status=none
head -c 400 /dev/urandom | dd of=changed.orl bs=1 seek=100 conv=notrunc status=none
"$cli" sheet changed.orl -o big.prn || fail "the sheet to fill the disk with"

printf 'Orlo Scanner Configuration Sheet\r\nthe old sheet' >"$disk/Barcode.prn"
cp "$disk/Barcode.prn" old.prn
# Fill the rest of the disk.
dd if=/dev/zero of="$disk/filler" bs=1k status=none 2>/dev/null

"$cli" sheet changed.orl -o "$disk/Barcode.prn" 2>err
[[ $? -eq 1 && $(wc -l <err) -eq 1 ]] || fail "a full disk: exit and message: $(cat err)"
cmp -s old.prn "$disk/Barcode.prn" || fail "the old sheet was damaged: $(od -c "$disk/Barcode.prn" | head -3)"
"$cli" sheet changed.orl -o "$disk/New.prn" 2>err
[[ $? -eq 1 ]] || fail "a new sheet on a full disk succeeded"
[[ ! -e "$disk/New.prn" ]] || fail "a new sheet on a full disk left $(stat -c %s "$disk/New.prn") bytes"
[[ $(ls -A "$disk" | sort | tr '\n' ' ') == "Barcode.prn filler " ]] ||
  fail "files left behind: $(ls -A "$disk")"
echo "tessmar-cli sheet on a full disk: the old sheet is kept"
