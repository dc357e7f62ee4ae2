#!/usr/bin/env bash
# The add-in proved under Wine, for each built architecture: first ZarvelinServicesCheck.exe checks
# the Windows services (the file layer and the platform) on the real system calls. Only the 32-bit
# build makes the add-in (VB6 is a 32-bit program); its DLL exports the four COM entry points and
# imports only Windows system DLLs; on a fresh prefix under Xvfb regsvr32 registers it (class,
# ProgID, the IDE's add-in key), the test host creates "Zarvelin.Connect" through COM and drives
# its events, the native `zarvelin verify` (build/native) checks the copies it made, and
# unregistration removes every key. One PASS or FAIL line per check, then
# "N passed, N failed"; the exit status is 0 only when nothing failed.
# Usage: wine-proof.sh [BUILD_DIR ...]   (default: build/mingw-i686 build/mingw-x86_64)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
root=$PWD
builds=("$@")
((${#builds[@]})) || builds=(build/mingw-i686 build/mingw-x86_64)

# shellcheck source=scripts/wine-common.sh
source "$root/scripts/wine-common.sh"

# Windows' own DLLs, the only ones the add-in may need beside it.
system_dlls=" ADVAPI32.dll COMCTL32.dll COMDLG32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll "
system_dlls+="OLEAUT32.dll SHELL32.dll USER32.dll WINSPOOL.DRV "
exports_only() { # exports_only OBJDUMP DLL
  [[ "$("$1" -p "$2" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    awk '/\[ *[0-9]+\]/ { print $NF }' | sort | tr '\n' ' ')" == \
    "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ]]
}
imports_system_only() { # imports_system_only OBJDUMP DLL
  local name count=0
  for name in $("$1" -p "$2" | awk '/DLL Name:/ { print $3 }'); do
    # Windows names files without regard to case; the i686 import library says COMCTL32.DLL.
    [[ "${system_dlls,,}" == *" ${name,,} "* ]] || return 1
    count=$((count + 1))
  done
  # Every Windows program imports KERNEL32: no import at all means objdump was not understood.
  ((count > 0))
}

# The native program checks the copies the Windows builds make: a copy made under Wine must be
# one that `verify` accepts on Linux.
native=$root/build/native/src/cli/zarvelin
verified() { # verified LABEL PROJECT.vbp COPY_DIR [OPTION...]: one check, the differences shown
  local label=$1 project=$2 copy=$3
  shift 3
  HOME=$work "$native" verify "$@" "$project" "$copy" >"$work/verify.log" 2>&1
  local status=$?
  check "$label" test "$status" -eq 0
  ((status == 0)) || sed 's/^/    /' "$work/verify.log"
}
whole_or_none() { # whole_or_none PROJECT.vbp COPY_DIR: the directory empty, or a copy verify accepts
  [[ -d "$2" ]] || return 1
  [[ -z "$(ls -A "$2")" ]] || HOME=$work "$native" verify "$1" "$2"
}

start=$SECONDS
start_prefix
# Without a window manager windows have no frames: Wine's virtual desktop draws them, once the
# server restarts. Its caption buttons need Marlett, which Debian's Wine does not load by itself.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
wineserver -k
# One server for every later wine start: a cold start costs seconds, a warm one a tenth.
wineserver -p
echo "prefix ready in $((SECONDS - start)) s"


for build in "${builds[@]}"; do
  dll_file=$build/src/win32/Zarvelin.dll
  host_file=$build/src/win32/ZarvelinHost.exe
  services_file=$build/src/win32/ZarvelinServicesCheck.exe
  case "$(file -b "$services_file")" in
    *x86-64*) arch=x64 view=64 objdump=x86_64-w64-mingw32-objdump ;;
    *) arch=x86 view=32 objdump=i686-w64-mingw32-objdump ;;
  esac
  start=$SECONDS
  timeout 60 wine "$root/$services_file" >"$work/services.log" 2>&1
  status=$?
  sed "s/^/    $arch /" "$work/services.log" | tr -d '\r'
  # A run that checked nothing is no pass.
  check "$arch Windows services check passes" test "$status" -eq 0 -a \
    "$(tr -d '\r' <"$work/services.log" | grep -cE '^services: [1-9][0-9]* passed, 0 failed$')" -eq 1

  if [[ "$arch" == x64 ]]; then
    # VB6 is a 32-bit program: a 64-bit DLL would serve no IDE, and its registration would share
    # the ProgID key, so removing it would remove the 32-bit add-in too.
    check "$arch builds no add-in DLL and no test host" test ! -e "$dll_file" -a ! -e "$host_file"
    echo "$arch proof in $((SECONDS - start)) s"
    continue
  fi
  check "$arch exports exactly the four COM entry points" exports_only "$objdump" "$dll_file"
  check "$arch imports only Windows system DLLs" imports_system_only "$objdump" "$dll_file"
  check "$arch host imports only Windows system DLLs" imports_system_only "$objdump" "$host_file"

  # regsvr32 loads only an absolute Windows path.
  dll=$(winepath -w "$root/$dll_file")
  check "$arch regsvr32 registers" wine regsvr32 /s "$dll"
  server="HKCR\\CLSID\\$clsid\\InprocServer32"
  check "$arch class described as Zarvelin" is "$(value "HKCR\\CLSID\\$clsid" "" $view)" Zarvelin
  check "$arch InprocServer32 is the DLL" is "$(value "$server" "" $view)" "$dll"
  check "$arch ThreadingModel Apartment" is "$(value "$server" ThreadingModel $view)" Apartment
  check "$arch class names its ProgID" is "$(value "HKCR\\CLSID\\$clsid\\ProgID" "" $view)" \
    Zarvelin.Connect
  check "$arch ProgID names the class" is "$(value 'HKCR\Zarvelin.Connect\CLSID' "" $view)" "$clsid"
  check "$arch add-in FriendlyName" is "$(value "$addin" FriendlyName $view)" Zarvelin
  check "$arch add-in Description" is "$(value "$addin" Description $view)" \
    "Copy Current Visual Basic Project"
  check "$arch add-in LoadBehavior 0" is "$(value "$addin" LoadBehavior $view)" 0x0
  check "$arch add-in CommandLineSafe 0" is "$(value "$addin" CommandLineSafe $view)" 0x0

  # The host finds the DLL through the registry, as the IDE does, and plays the IDE on a copy of
  # the example project; the screenshots of the real windows land beside the build.
  rm -rf "$work/ledger" && cp -r examples/ledger "$work/ledger"
  rm -rf "$work/meter" && cp -r examples/meter "$work/meter"
  shots=$build/screenshots
  rm -rf "$shots" && mkdir -p "$shots"
  timeout 180 wine "$root/$host_file" --proof "$(winepath -w "$work/ledger/app/Ledger.vbp")" \
    "C:\\zarvelin-copy-$arch" "$(winepath -w "$root/$shots")" \
    "$(winepath -w "$work/meter/Meter.vbg")" >"$work/host.log" 2>&1
  status=$?
  sed "s/^/    $arch /" "$work/host.log" | tr -d '\r'
  check "$arch test host passes" test "$status" -eq 0 -a \
    "$(tr -d '\r' <"$work/host.log" | grep -cE '^host: [1-9][0-9]* passed, 0 failed$')" -eq 1
  check "$arch the source project is untouched" diff -r examples/ledger "$work/ledger"
  check "$arch the source group is untouched" diff -r examples/meter "$work/meter"
  copied=$WINEPREFIX/drive_c/zarvelin-copy-$arch
  verified "$arch verify --ide-saved accepts the add-in's copy" "$work/ledger/app/Ledger.vbp" \
    "$copied" --ide-saved
  verified "$arch verify accepts the add-in's copy byte for byte" "$work/ledger/app/Ledger.vbp" \
    "$copied"
  # A copy the user's unloading interrupted is all or nothing.
  check "$arch a copy interrupted by an unloading is whole or not there at all" \
    whole_or_none "$work/ledger/app/Ledger.vbp" "$copied-again"
  verified "$arch verify accepts the add-in's group copy" "$work/meter/Meter.vbg" "$copied-group"
  for bmp in "$shots"/*.bmp; do
    [[ -f "$bmp" ]] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
  check "$arch screenshots of the three windows" test -s "$shots/copy-dialog.png" -a \
    -s "$shots/about-box.png" -a -s "$shots/error-report.png"

  check "$arch regsvr32 /u unregisters" wine regsvr32 /s /u "$dll"
  check "$arch class gone" absent wine reg query "HKCR\\CLSID\\$clsid" "/reg:$view"
  check "$arch ProgID gone" absent wine reg query 'HKCR\Zarvelin.Connect' "/reg:$view"
  check "$arch add-in key gone" absent wine reg query "$addin" "/reg:$view"
  echo "$arch proof in $((SECONDS - start)) s"
done

# zarvelin.exe and the portable tests, on the same prefix and server.
# shellcheck source=scripts/wine-cli-proof.sh
source "$root/scripts/wine-cli-proof.sh"

echo "$passed passed, $failed failed"
((failed == 0))
