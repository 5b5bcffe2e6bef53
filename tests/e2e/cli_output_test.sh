#!/usr/bin/env bash
# tessmar-cli's output files and standard output: a save lands whole in the file it names (through
# a link, keeping its permissions), never touches other files, refuses a read-only file, writes
# devices and pipes in place, and a failure to write standard output fails the command.
# Usage: cli_output_test.sh TESSMAR_CLI
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Every case runs, so one run shows all that is wrong.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Exits 1 (or the code EXIT names) with exactly one line on stderr naming the failure.
expect_failure() {
  local what=$1 want=$2
  shift 2
  "$@" 2>"$work/err"
  local code=$?
  [[ $code -eq ${EXIT:-1} ]] || { fail "$what: exit $code"; return; }
  [[ $(wc -l <"$work/err") -eq 1 ]] || fail "$what: not one line: $(cat "$work/err")"
  grep -qF "$want" "$work/err" || fail "$what: message '$(cat "$work/err")'"
}

"$cli" defaults -o factory.orl || { echo "FAIL: defaults"; exit 1; }
cp factory.orl changed.orl && printf '\100' | dd of=changed.orl bs=1 seek=20 conv=notrunc status=none

# A user's file with the name a fixed temporary name would take is left alone.
printf 'mine' >settings.orl.tmp
"$cli" defaults -o settings.orl || fail "save beside settings.orl.tmp"
[[ $(cat settings.orl.tmp 2>/dev/null) == mine ]] || fail "settings.orl.tmp was overwritten"
[[ $(ls -A | wc -l) -eq 4 ]] || fail "files left behind: $(ls -A)"

# Saved through a link, the file it names changes and the link stays; permissions are kept.
mkdir real && cp changed.orl real/target.orl && chmod 600 real/target.orl
ln -s real/target.orl link.orl
"$cli" defaults -o link.orl || fail "save through a link"
[[ -L link.orl ]] || fail "the link was replaced by a file"
cmp -s factory.orl real/target.orl || fail "the file the link names was not saved"
[[ $(stat -c %a real/target.orl) == 600 ]] || fail "permissions $(stat -c %a real/target.orl)"

# A read-only file is refused and stays as it was.
cp changed.orl readonly.orl && chmod 444 readonly.orl
expect_failure "read-only" "cannot replace readonly.orl: the file is read-only" \
  "$cli" defaults -o readonly.orl
cmp -s changed.orl readonly.orl || fail "the read-only file changed"

# The longest legal names, and no name at all.
long=$(printf 'n%.0s' $(seq 251)).orl
"$cli" defaults -o "$long" && cmp -s factory.orl "$long" || fail "a 255-character name"
mkdir empty && (cd empty && expect_failure "no name" "without a name" "$cli" defaults -o "")
[[ -z $(ls -A empty) ]] || fail "an empty name created $(ls -A empty)"

# Two saves of one file at once both succeed, every time.
for round in $(seq 40); do
  "$cli" defaults -o shared.orl 2>>race & "$cli" defaults -o shared.orl 2>>race & wait
done
[[ ! -s race ]] || fail "concurrent saves failed: $(sort -u race)"
cmp -s factory.orl shared.orl || fail "concurrent saves left a damaged file"

# Standard output, devices and pipes are written in place. The device and the link to standard
# output are the test's own: a save that replaced them by files must not take the system's.
"$cli" defaults -o - | cmp -s factory.orl - || fail "-o - is not the settings file"
ln -s /proc/self/fd/1 stdout-link
"$cli" defaults -o stdout-link | cmp -s factory.orl - || fail "-o a link to standard output"
[[ -L stdout-link ]] || fail "the link to standard output was replaced"
if mknod null c 1 3 2>/dev/null; then
  "$cli" defaults -o null && [[ -c null ]] || fail "a device is no longer a device"
fi
# Time limits: a save that does not write into the pipe leaves its reader waiting.
mkfifo pipe
timeout 20 cat pipe >from-pipe &
timeout 20 "$cli" defaults -o pipe || fail "saving into a pipe"
wait
[[ -p pipe ]] && cmp -s factory.orl from-pipe || fail "the pipe did not carry the settings"

# Output that cannot be written fails the command with one line.
expect_failure "tree to a full disk" "cannot write standard output: No space left on device" \
  bash -c "'$cli' tree factory.orl >/dev/full"
# diff's trouble is 2, as diff(1) has it.
EXIT=2 expect_failure "diff to a full disk" "cannot write standard output" \
  bash -c "'$cli' diff changed.orl >/dev/full"
expect_failure "help to a full disk" "cannot write standard output" \
  bash -c "'$cli' --help >/dev/full"
expect_failure "tree to a closed stdout" "cannot write standard output: Bad file descriptor" \
  bash -c "'$cli' tree factory.orl >&-"
[[ $failures -eq 0 ]] || exit 1
echo "tessmar-cli output: all cases pass"
