#!/usr/bin/env bash
# The release as a Windows user meets it, in a Wine prefix of its own made afresh: the installer
# run with /S installs the programs, the shortcuts and the .orl file type, and with /CLIPATH puts
# its folder on the machine's PATH, whatever its length (1000, 1023 and 4000 characters), and
# takes it off the account's PATH, where earlier versions put it; a folder of the user's choice
# takes it as well; run again while Tessmar runs, it asks to close Tessmar first and
# installs nothing until then (a silent run stops); a settings file opened
# through that file type (as a double-click does) shows its own tree in the installed Tessmar;
# printing from the installed Tessmar starts Stampwell, whose folder's name holds a blank, on the
# sheet; the uninstaller run with /S leaves nothing behind, the PATHs as they were. The zip holds exactly the release's
# files, and each program in it runs alone, Tessmar.exe on a quoted path with blanks.
# Arguments: the release folder, the Windows build's bin folder (window-probe.exe), the native
# build's bin folder (tessmar-cli, to write settings files and the trees to expect), the version.
set -euo pipefail
dist=$(cd "$1" && pwd)
windows_bin=$(cd "$2" && pwd)
native_bin=$(cd "$3" && pwd)
version=$4
source "$(dirname "$0")/../../scripts/lib/wine.sh"

work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
use_wine_prefix "$work"
start_wineserver
drive_c="$WINEPREFIX/drive_c"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits up to 30 seconds for a command to succeed.
eventually() {
  local tries
  for tries in $(seq 150); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

probe() { wine "$windows_bin/window-probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# The Windows name of a file under the prefix's C: drive.
windows_path() { echo "C:\\${1//\//\\}"; }
registry_default() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
registry_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_[A-Z_]* *//p'; }

# A settings file unlike the factory one (RS-232, "Continuous"), in a folder whose name holds a
# blank, and the tree tessmar-cli shows for it.
mkdir -p "$drive_c/Scanner Files"
settings="$drive_c/Scanner Files/site one.orl"
"$native_bin/tessmar-cli" defaults -o "$settings"
printf '\x10' | dd of="$settings" bs=1 seek=20 conv=notrunc status=none
printf '\x00' | dd of="$settings" bs=1 seek=23 conv=notrunc status=none
"$native_bin/tessmar-cli" tree "$settings" >"$work/expected-tree"
grep -q "Scanner Interface : RS-232" "$work/expected-tree" || fail "the test file is not RS-232"

# Tessmar's tree, read from the running program, equals the file's once the file is open.
shows_the_file() {
  probe tree "Velkor Orlo Tessmar" >"$work/shown-tree"
  cmp -s "$work/shown-tree" "$work/expected-tree"
}

expect_tessmar_shows_the_file() {
  eventually shows_the_file ||
    fail "$1: Tessmar does not show the file: $(diff "$work/expected-tree" "$work/shown-tree" | head)"
  probe close "Velkor Orlo Tessmar" >/dev/null || fail "$1: Tessmar did not close"
}

# --- The installer, asked to put tessmar-cli on the machine's PATH. The NSIS strings hold 1023
# characters: each PATH here is at least that long, and must come back whole.
folder="$drive_c/Program Files/Tessmar"
shortcuts="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tessmar"
setup="$dist/Tessmar-$version-setup.exe"
machine_environment='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
machine_path() { registry_value "$machine_environment" Path; }
system_path=$(machine_path)
# The system's own entries, then folders of other tools up to `length` characters.
set_machine_path_of_length() {
  local length=$1 path=$system_path
  while ((${#path} < length - 20)); do path+=";C:\\Vendor\\Tool${#path}"; done
  while ((${#path} < length)); do path+="x"; done
  wine reg add "$machine_environment" /v Path /t REG_EXPAND_SZ /d "$path" /f >/dev/null 2>&1
  [[ $(machine_path) == "$path" ]] || fail "the test could not set a PATH of $length characters"
}
# Earlier versions put their folder on the PATH of the account that ran the installer.
set_earlier_user_path() {
  wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "C:\\Tools;$1" /f >/dev/null 2>&1
}
user_path_is_back() { [[ $(registry_value 'HKCU\Environment' Path) == 'C:\Tools' ]]; }
path_is_before() { [[ $(machine_path) == "$before" ]]; }

# Installed and uninstalled in a folder of the user's choice, under C:\, which every user may
# change: the installer takes that right away before it puts programs there.
own_folder='C:\ServiceTools\Tessmar'
for length in 1000 1023; do
  set_machine_path_of_length "$length"
  set_earlier_user_path "$own_folder"
  before=$(machine_path)
  wine "$setup" /S /CLIPATH "/D=$own_folder" </dev/null >/dev/null 2>&1 ||
    fail "$length: the installer failed in $own_folder"
  [[ -f "$drive_c/ServiceTools/Tessmar/tessmar-cli.exe" ]] || fail "$length: not installed"
  [[ $(machine_path) == "$before;$own_folder" ]] ||
    fail "$length: the machine's PATH is not the old one and the folder: $(machine_path)"
  user_path_is_back || fail "$length: the earlier version's PATH entry stays"
  wine "$drive_c/ServiceTools/Tessmar/Uninstall.exe" /S </dev/null >/dev/null 2>&1 ||
    fail "$length: the uninstaller failed"
  eventually test ! -e "$drive_c/ServiceTools/Tessmar" || fail "$length: files left behind"
  eventually path_is_before || fail "$length: the PATH is not as it was: $(machine_path)"
done

set_machine_path_of_length 4000
before=$(machine_path)
set_earlier_user_path 'C:\Program Files\Tessmar'
wine "$setup" /S /CLIPATH </dev/null >/dev/null 2>&1 || fail "the installer failed"
for file in Tessmar.exe Stampwell.exe tessmar-cli.exe Manual.html Uninstall.exe; do
  [[ -f "$folder/$file" ]] || fail "not installed: $file"
done
[[ -f "$shortcuts/Tessmar.lnk" && -f "$shortcuts/Tessmar Manual.lnk" ]] ||
  fail "no Start-menu shortcuts"
# The shortcut starts Tessmar in the user's Documents, where Barcode.prn can be written.
strings -el "$shortcuts/Tessmar.lnk" | grep -qx '%USERPROFILE%\\Documents' ||
  fail "the shortcut does not start in the user's Documents"

exe='C:\Program Files\Tessmar\Tessmar.exe'
[[ $(registry_default 'HKCR\.orl') == "Tessmar.Settings" ]] || fail ".orl is not Tessmar's"
[[ $(registry_default 'HKCR\Tessmar.Settings\shell\open\command') == "\"$exe\" \"%1\"" ]] ||
  fail "the Open verb is not Tessmar.exe \"%1\""
[[ $(registry_default 'HKCR\Tessmar.Settings\DefaultIcon') == "$exe,0" ]] || fail "no .orl icon"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessmar'
[[ $(registry_value "$uninstall_key" DisplayName) == "Velkor Orlo Tessmar" ]] ||
  fail "not in Programs and Features"
[[ $(registry_value "$uninstall_key" DisplayVersion) == "$version" ]] || fail "wrong version"
[[ $(machine_path) == "$before;C:\Program Files\Tessmar" ]] ||
  fail "tessmar-cli's folder is not on the PATH: $(machine_path)"
user_path_is_back || fail "the earlier version's PATH entry stays"

# Installing again while Tessmar runs: its files cannot be replaced. A silent run stops with
# nothing changed; a run with its windows asks to close Tessmar and waits, here to be cancelled.
wine "$folder/Tessmar.exe" </dev/null >/dev/null 2>&1 &
probe wait "Velkor Orlo Tessmar" >/dev/null || fail "the installed Tessmar did not start"
touch -d '2000-01-01' "$folder/Tessmar.exe"
status=0
wine "$setup" /S </dev/null >/dev/null 2>&1 || status=$?
[[ $status -eq 2 ]] || fail "a silent install over a running Tessmar ended with $status"
wine "$setup" </dev/null >/dev/null 2>&1 &
setup_run=$!
probe wait "Velkor Orlo Tessmar $version Setup" >/dev/null ||
  fail "the installer did not ask to close Tessmar"
kill -0 "$setup_run" 2>/dev/null || fail "the installer did not wait for Tessmar to close"
probe command "Velkor Orlo Tessmar $version Setup" 2 >/dev/null  # Cancel
wait "$setup_run" && fail "the installer went on after Cancel"
[[ $(stat -c %Y "$folder/Tessmar.exe") == $(date -d '2000-01-01' +%s) ]] ||
  fail "Tessmar.exe was replaced while it ran"
probe close "Velkor Orlo Tessmar" >/dev/null || fail "the installed Tessmar did not close"
wait

# A double-click: the shell opens the file through its file type.
wine start "$(windows_path "Scanner Files/site one.orl")" </dev/null >/dev/null 2>&1
expect_tessmar_shows_the_file "opened through the file type"

# Printing from the installed Tessmar, in Program Files, whose name holds a blank: Stampwell
# starts on the sheet in Tessmar's current folder and writes the page there (without a browser).
page="$drive_c/Scanner Files/Barcode.html"
rm -f "$drive_c/Scanner Files/Barcode.prn" "$page"
(cd "$drive_c/Scanner Files" &&
  STAMPWELL_NO_OPEN=1 wine "$folder/Tessmar.exe" "$(windows_path "Scanner Files/site one.orl")" \
    </dev/null >/dev/null 2>&1) &
eventually shows_the_file || fail "printing: Tessmar does not show the file"
probe command "Velkor Orlo Tessmar" 1210 >/dev/null || fail "printing: no Print command"
page_written() { grep -qs '</html>' "$page"; }
eventually page_written || fail "printing from Program Files: Stampwell wrote no page"
grep -q 'RS232 Interface' "$page" || fail "printing: the page lacks the file's settings"
probe close "Velkor Orlo Tessmar" >/dev/null || fail "printing: Tessmar did not close"
wait

# --- The uninstaller hands over to a copy of itself and returns at once: wait for the copy.
wine "$folder/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the uninstaller failed"
eventually test ! -e "$folder" || fail "left behind: $(ls "$folder")"
eventually test ! -e "$shortcuts" || fail "the Start-menu shortcuts are left behind"
for key in 'HKCR\.orl' 'HKCR\Tessmar.Settings' "$uninstall_key"; do
  wine reg query "$key" </dev/null >/dev/null 2>&1 && fail "left in the registry: $key"
done
eventually path_is_before || fail "the PATH is not as it was: $(machine_path)"
user_path_is_back || fail "the account's PATH is not as it was"

# --- The zip: exactly the release's files, in one folder.
listing=$(cmake -E tar tf "$dist/Tessmar-$version-win64.zip" | grep -v '/$' | sort)
expected=$(printf "Tessmar-$version/%s\n" Manual.html Stampwell.exe Tessmar.exe tessmar-cli.exe |
  sort)
[[ "$listing" == "$expected" ]] || fail "the zip holds: $listing"
(cd "$drive_c" && cmake -E tar xf "$dist/Tessmar-$version-win64.zip")
unpacked="$drive_c/Tessmar-$version"

# Each program needs no DLL beside it: everything it imports is part of Windows. Nor does it
# import oleacc or winmm, which are no KnownDLLs: a copy put beside the program in a shared
# folder would be loaded in their place.
system_dlls=$(ls "$drive_c/windows/system32")
for program in Tessmar.exe Stampwell.exe tessmar-cli.exe; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$unpacked/$program" | sed -n 's/^\tDLL Name: //p'); do
    grep -qixF "$dll" <<<"$system_dlls" ||
      fail "$program needs $dll, which Windows does not have"
    [[ ${dll,,} != oleacc.dll && ${dll,,} != winmm.dll ]] ||
      fail "$program imports $dll, which is searched for beside it"
  done
done
sheet=$(windows_path "Scanner Files/Barcode.prn")
wine "$unpacked/tessmar-cli.exe" sheet "$(windows_path "Scanner Files/site one.orl")" -o "$sheet" \
  </dev/null >/dev/null 2>&1 || fail "tessmar-cli.exe did not run"
wine "$unpacked/Stampwell.exe" --no-open "$sheet" </dev/null >/dev/null 2>&1 ||
  fail "Stampwell.exe did not run"
[[ -s "$drive_c/Scanner Files/Barcode.html" ]] || fail "Stampwell.exe wrote no page"
# Tessmar.exe given the file on its command line, quoted as Explorer quotes it.
wine "$unpacked/Tessmar.exe" "$(windows_path "Scanner Files/site one.orl")" </dev/null \
  >/dev/null 2>&1 &
expect_tessmar_shows_the_file "started on the file"
wait
echo "release: installed, opened and printed a file, uninstalled; the zip's programs run alone"
