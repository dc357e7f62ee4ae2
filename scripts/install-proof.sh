#!/usr/bin/env bash
# What users install, proved: the Windows setup program from dist/ runs silently on a fresh Wine
# prefix under Xvfb, the files and the registry it writes are checked (the machine's class, the
# add-in key with the chosen start-up loading, the Add/Remove Programs entry, the Active Setup
# entry that gives other users the add-in key), the test host connects the installed add-in and
# copies the example project through its dialog, the installed zarvelin.exe copies it too, a DLL
# held by a running IDE stops the uninstaller without harm, and the silent uninstaller leaves no
# file, key or class behind but the user's Error.log. The .deb unpacks into a scratch root and its
# program copies the example. One PASS or FAIL line per check, then "N passed, N failed".
# Usage: install-proof.sh [DIST_DIR [BUILD_DIR]]   (default: dist build/mingw-i686; run
# scripts/package.sh first; the 32-bit build gives the test host)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
root=$PWD
dist=$(realpath "${1:-dist}")
build=${2:-build/mingw-i686}

setup=$(find "$dist" -maxdepth 1 -name 'Zarvelin-*-setup.exe' 2>/dev/null | head -1)
version=${setup##*/Zarvelin-}
version=${version%-setup.exe}
zip=$dist/Zarvelin-$version-win32.zip
deb=$(find "$dist" -maxdepth 1 -name "zarvelin_${version}_*.deb" 2>/dev/null | head -1)
if [[ -z "$setup" || ! -f "$zip" || -z "$deb" ]]; then
  echo "FAIL: no setup program, zip and .deb of one version in $dist (scripts/package.sh makes them)"
  echo "0 passed, 1 failed"
  exit 1
fi

# shellcheck source=scripts/wine-common.sh
source "$root/scripts/wine-common.sh"

# The file properties carry the release version (UTF-16 in the version resource).
carries_version() { strings -el "$1" | grep -qxF "$version"; }
for file in Zarvelin.dll zarvelin.exe ZarvelinHost.exe; do
  check "$file carries version $version" carries_version "$build/src/win32/$file"
done
check "the setup program carries version $version" carries_version "$setup"
zip_lists() {
  [[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" == \
    "Zarvelin/ Zarvelin/INSTALL.txt Zarvelin/README.txt Zarvelin/Zarvelin.dll Zarvelin/readme.wri Zarvelin/zarvelin.exe " ]]
}
check "the zip holds the add-in, its readme, the program, README and INSTALL.txt" zip_lists

start=$SECONDS
start_prefix
echo "prefix ready in $((SECONDS - start)) s"

key_absent() { absent wine reg query "$1" "/reg:$2"; }
# Everything under a Windows path, relative to it: the files a check expects there.
files_in() { # files_in WINDOWS_DIR
  local dir
  dir=$(winepath -u "$1" 2>/dev/null)
  [[ -d "$dir" ]] || return 0
  (cd "$dir" && find . -type f -printf '%P\n' | sort | tr '\n' ' ')
}
run_setup() { # run_setup ARGUMENTS...: the installer's exit status, once every Wine process ended
  wine "$setup" "$@" >/dev/null 2>&1
  local status=$?
  wineserver -w
  return "$status"
}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zarvelin'
active_setup='HKLM\Software\Microsoft\Active Setup\Installed Components'
folder='C:\Program Files (x86)\Zarvelin'
installed="README.txt Uninstall.exe AddIn.reg Zarvelin.dll readme.wri zarvelin.exe "
installed=$(tr ' ' '\n' <<<"$installed" | sed '/^$/d' | sort | tr '\n' ' ')

run_setup /S /LOADONSTARTUP=yes
check "a wrong /LOADONSTARTUP is refused (exit status 2)" test $? -eq 2
check "a refused setup installs nothing" is "$(files_in "$folder")" ""

run_setup /S /LOADONSTARTUP=1
check "the silent setup succeeds" test $? -eq 0
check "files installed into Program Files (x86)\\Zarvelin" is "$(files_in "$folder")" "$installed"
# The real path, as Wine's processes map it (winepath answers through the prefix's drive link).
unix_folder=$(realpath "$(winepath -u "$folder")")
check "the installed add-in is the built one" cmp "$build/src/win32/Zarvelin.dll" "$unix_folder/Zarvelin.dll"
check "the installed DLL is the zip's" cmp <(unzip -p "$zip" Zarvelin/Zarvelin.dll) "$unix_folder/Zarvelin.dll"

server="HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32"
check "class registered for the machine" is "$(value "HKLM\\Software\\Classes\\CLSID\\$clsid" "" 32)" Zarvelin
check "InprocServer32 is the installed DLL" is "$(value "$server" "" 32)" "$folder\\Zarvelin.dll"
check "ThreadingModel Apartment" is "$(value "$server" ThreadingModel 32)" Apartment
check "ProgID names the class" is "$(value 'HKLM\Software\Classes\Zarvelin.Connect\CLSID' "" 32)" "$clsid"
check "add-in FriendlyName" is "$(value "$addin" FriendlyName 32)" Zarvelin
check "add-in Description" is "$(value "$addin" Description 32)" "Copy Current Visual Basic Project"
check "/LOADONSTARTUP=1 loads the add-in when VB6 starts" is "$(value "$addin" LoadBehavior 32)" 0x3
check "add-in CommandLineSafe 0" is "$(value "$addin" CommandLineSafe 32)" 0x0
check "Add/Remove Programs shows the version" is "$(value "$uninstall_key" DisplayVersion 32)" "$version"
check "Add/Remove Programs names the uninstaller" is "$(value "$uninstall_key" UninstallString 32)" \
  "\"$folder\\Uninstall.exe\""

# Active Setup runs the stub once for every user who logs on: played here by running it for a
# user who has no add-in key yet.
stub=$(value "$active_setup\\Zarvelin.AddIn" StubPath 64)
check "Active Setup gives other users the add-in key" test -n "$stub"
stub_file=$(winepath -u 'C:\stub.bat')
printf '%s\r\n' "$stub" >"$stub_file"
wine reg delete "$addin" /f >/dev/null 2>&1
wine cmd /c 'C:\stub.bat' >/dev/null 2>&1
check "another user's logon writes the add-in key" is "$(value "$addin" FriendlyName 32)" Zarvelin
check "another user's add-in loads when VB6 starts too" is "$(value "$addin" LoadBehavior 32)" 0x3

# The test host creates the add-in through the registry, as the IDE does, and plays the IDE.
rm -rf "$work/ledger" && cp -r examples/ledger "$work/ledger"
mkdir -p "$work/shots"
timeout 180 wine "$root/$build/src/win32/ZarvelinHost.exe" --proof \
  "$(winepath -w "$work/ledger/app/Ledger.vbp")" 'C:\zarvelin-copy' "$(winepath -w "$work/shots")" \
  >"$work/host.log" 2>&1
status=$?
check "the test host copies through the installed add-in" test "$status" -eq 0 -a \
  "$(tr -d '\r' <"$work/host.log" | grep -cE '^host: [1-9][0-9]* passed, 0 failed$')" -eq 1
[[ $status -eq 0 ]] || sed 's/^/    /' "$work/host.log" | tr -d '\r'
mkdir -p "$(winepath -u 'C:\zarvelin-cli')"
timeout 60 wine "$folder\\zarvelin.exe" --yes copy "$(winepath -w "$work/ledger/app/Ledger.vbp")" \
  'C:\zarvelin-cli' >/dev/null 2>&1
check "the installed zarvelin.exe copies the example" test $? -eq 0 -a \
  -f "$(winepath -u 'C:\zarvelin-cli')/Ledger.vbp"
check "the source project is untouched" diff -r examples/ledger "$work/ledger"

# A running IDE holds the DLL: setup and uninstaller must stop before they change anything.
timeout 60 wine "$root/$build/src/win32/ZarvelinHost.exe" "$(winepath -w "$work/ledger/app/Ledger.vbp")" \
  >/dev/null 2>&1 &
holder=$!
# Wine maps a loaded DLL into the Linux process: its maps show when the IDE holds it.
held() { grep -qsF "$unix_folder/Zarvelin.dll" /proc/[0-9]*/maps; }
for _ in $(seq 150); do held && break; sleep 0.2; done
check "a running IDE holds the installed DLL" held
wine "$setup" /S >/dev/null 2>&1
check "a setup over the DLL in use stops (exit status 2)" test $? -eq 2
# _?= runs the uninstaller in place, so its exit status is the uninstall's; it takes the folder
# unquoted, which only a batch file passes on.
printf '%s\r\n' "@\"$folder\\Uninstall.exe\" /S _?=$folder" '@exit %errorlevel%' \
  >"$(winepath -u 'C:\uninstall-in-place.bat')"
wine cmd /c 'C:\uninstall-in-place.bat' >/dev/null 2>&1
check "the uninstaller stops while the DLL is in use (exit status 2)" test $? -eq 2
check "a stopped uninstall removes no file" is "$(files_in "$folder")" "$installed"
check "a stopped uninstall keeps the class" is "$(value "$server" "" 32)" "$folder\\Zarvelin.dll"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
wineserver -w

# The add-in's error report (the host checked that the add-in writes it beside the DLL) is the
# user's: it stays, and with it the folder.
echo "a report" >"$unix_folder/Error.log"
wine "$folder\\Uninstall.exe" /S >/dev/null 2>&1
wineserver -w
check "the silent uninstall leaves only the user's Error.log" is "$(files_in "$folder")" "Error.log "
check "class gone" key_absent "HKLM\\Software\\Classes\\CLSID\\$clsid" 32
check "ProgID gone" key_absent 'HKLM\Software\Classes\Zarvelin.Connect' 32
check "no class left in the merged view" key_absent "HKCR\\CLSID\\$clsid" 32
check "add-in key gone" key_absent "$addin" 32
check "no empty Visual Basic key left" key_absent 'HKCU\Software\Microsoft\Visual Basic' 32
check "Add/Remove Programs entry gone" key_absent "$uninstall_key" 32
check "Active Setup no longer gives the add-in key" key_absent "$active_setup\\Zarvelin.AddIn" 64
# Other users lose their add-in key at their next logon.
stub=$(value "$active_setup\\Zarvelin.AddInRemoval" StubPath 64)
printf '%s\r\n' "$stub" >"$stub_file"
wine reg add "$addin" /v FriendlyName /d Zarvelin /f >/dev/null 2>&1
wine cmd /c 'C:\stub.bat' >/dev/null 2>&1
check "another user's logon removes their add-in key" key_absent "$addin" 32

# The setup program again, without /LOADONSTARTUP: listed in the Add-In Manager, not loaded.
run_setup /S
check "a default silent setup succeeds" test $? -eq 0
check "by default the add-in is not loaded when VB6 starts" is "$(value "$addin" LoadBehavior 32)" 0x0
check "a new setup withdraws the removal for other users" \
  key_absent "$active_setup\\Zarvelin.AddInRemoval" 64
echo "Windows setup proof in $((SECONDS - start)) s"

# The Debian package: unpacked into a scratch root, its program copies the example.
dpkg-deb -x "$deb" "$work/debroot"
check "the .deb installs /usr/bin/zarvelin" test -x "$work/debroot/usr/bin/zarvelin"
# Every shared library the program loads comes from a package the .deb depends on (the C++ run
# time is linked in).
declares_what_it_loads() {
  local depends library package count=0
  depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{ print $1 }')
  for library in $(ldd "$work/debroot/usr/bin/zarvelin" | awk '$3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }'); do
    package=$(dpkg -S "$library" 2>/dev/null | head -1 | cut -d: -f1)
    grep -qxF "$package" <<<"$depends" || return 1
    count=$((count + 1))
  done
  ((count > 0))
}
check "the .deb declares the packages of every library its program loads" declares_what_it_loads
# The man page, both shells' completions where Debian's shells look, and the docs.
for path in usr/share/man/man1/zarvelin.1 usr/share/bash-completion/completions/zarvelin \
  usr/share/zsh/vendor-completions/_zarvelin usr/share/doc/zarvelin/README.md \
  usr/share/doc/zarvelin/readme.wri; do
  check "the .deb installs /$path" test -s "$work/debroot/$path"
done
check "the .deb installs nothing in the local administrator's places" \
  absent test -e "$work/debroot/usr/share/zsh/site-functions"
check "the man page is one" grep -q '^\.TH ' "$work/debroot/usr/share/man/man1/zarvelin.1"
check "the bash completion completes zarvelin" bash -c \
  "source '$work/debroot/usr/share/bash-completion/completions/zarvelin' && complete -p zarvelin"
mkdir -p "$work/deb-copy"
HOME=$work "$work/debroot/usr/bin/zarvelin" copy "$work/ledger/app/Ledger.vbp" "$work/deb-copy" \
  >/dev/null 2>&1
check "the .deb's program copies the example" test $? -eq 0 -a -f "$work/deb-copy/Ledger.vbp"
check "the source project is untouched by the .deb's program" diff -r examples/ledger "$work/ledger"

echo "$passed passed, $failed failed"
((failed == 0))
