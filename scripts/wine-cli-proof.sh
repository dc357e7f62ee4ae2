# shellcheck shell=bash
# zarvelin.exe and the portable tests under Wine, for each build wine-proof.sh was given. Sourced
# by wine-proof.sh once its prefix and server are up: it uses that script's check, absent, work,
# root, builds, imports_system_only and verified.
#
# zarvelin.exe copies the example project, the same project in folders with Japanese names, a
# project written on a Japanese Windows in Shift-JIS, and one whose module names Windows would
# take for one file (Ä.bas, ä.bas) or read otherwise (a leading blank), on Windows' own file
# calls; each copy is checked on disk (every listed file and companion there with the source's
# bytes, the component lines pointing at the copies, Path32 cleared) and by the native `verify`,
# and the source is checked untouched. `show` must list the project, `set` rewrite one line of it
# in place, and a copy into a missing directory must be refused. The portable tests, where the
# build has them, run as they are: each program must pass and run some tests.

cli_files=$work/cli
# Every file of the example project, as the copy must lay them out: flat, under their own names.
ledger_files="Ledger Notes.txt|Ledger.res|Ledger.vbp|Util.bas|cEntry.cls|ctlAmount.ctl|"
ledger_files+="ctlAmount.ctx|dsrMonthly.dca|dsrMonthly.dsr|dsrMonthly.dsx|frmMain.frm|frmMain.frx|"
ledger_files+="mdiLedger.frm|mdiLedger.frx|modMain.bas|ppgCurrency.pag|ppgCurrency.pgx|"

# The same files keeping their tree: the lowest folder holding them all is examples/ledger.
ledger_tree="app/Ledger.res|app/Ledger.vbp|app/classes/cEntry.cls|app/ctlAmount.ctl|"
ledger_tree+="app/ctlAmount.ctx|app/docs/Ledger Notes.txt|app/dsrMonthly.dca|app/dsrMonthly.dsr|"
ledger_tree+="app/dsrMonthly.dsx|app/frmMain.frm|app/frmMain.frx|app/mdiLedger.frm|app/mdiLedger.frx|"
ledger_tree+="app/modMain.bas|app/ppgCurrency.pag|app/ppgCurrency.pgx|shared/Util.bas|"

# The lines of the project file a copy rewrites; all others keep their bytes.
rewritten='^(Module=Util|Class=cEntry|RelatedDoc=|Path32=)'

listing() { # listing DIR: the file names under DIR, sorted, each followed by "|"
  (cd "$1" && find . -type f -printf '%P|' | tr '|' '\n' | LC_ALL=C sort | tr '\n' '|')
}
same_bytes_as_source() { # same_bytes_as_source SOURCE_TREE COPY_DIR: every copied file but the project's
  local file
  while IFS= read -r -d '' file; do
    [[ "${file##*/}" == Ledger.vbp ]] && continue
    cmp -s "$file" "$2/${file##*/}" || return 1
  done < <(find "$1" -type f -print0)
}
project_rewritten() { # project_rewritten SOURCE.vbp COPY.vbp
  grep -qx $'Path32=""\r' "$2" &&
    grep -qx $'Module=Util; Util.bas\r' "$2" &&
    grep -qx $'Class=cEntry; cEntry.cls\r' "$2" &&
    grep -qx $'RelatedDoc=Ledger Notes.txt\r' "$2" &&
    cmp -s <(grep -Ev "$rewritten" "$1") <(grep -Ev "$rewritten" "$2")
}
unchanged_tree() { # unchanged_tree PRISTINE COPY: no file added, removed or changed
  diff -r "$1" "$2" >/dev/null
}
same_files() { # same_files SOURCE COPY [SOURCE COPY ...]: each pair byte-identical
  while (($#)); do
    cmp -s "$1" "$2" || return 1
    shift 2
  done
}
status_is() { [[ "$1" == "$2" ]]; }
contains() { grep -qF -- "$2" "$1"; }

exe_copy() { # exe_copy EXE PROJECT.vbp COPY_DIR LOG: the copy's exit status, its output in LOG
  timeout 60 wine "$1" copy "$(winepath -w "$2")" "$(winepath -w "$3")" >"$4" 2>&1
}
cli_copy() { # cli_copy ARCH LABEL EXE SOURCE_TREE TARGET_DIR: copy SOURCE_TREE/app/Ledger.vbp there
  local arch=$1 label=$2 exe=$3 source=$4 target=$5
  mkdir -p "$target"
  exe_copy "$exe" "$source/app/Ledger.vbp" "$target" "$cli_files/copy.log"
  local status=$?
  tr -d '\r' <"$cli_files/copy.log" | sed "s/^/    $arch /" | grep -v '%$'
  check "$arch zarvelin.exe copies $label" status_is "$status" 0
  check "$arch $label: every file is in the copy" status_is "$(listing "$target")" "$ledger_files"
  check "$arch $label: files copied with their bytes" same_bytes_as_source "$source" "$target"
  check "$arch $label: component lines point at the copies, Path32 cleared" \
    project_rewritten "$source/app/Ledger.vbp" "$target/Ledger.vbp"
  verified "$arch $label: verify accepts the copy" "$source/app/Ledger.vbp" "$target"
  check "$arch $label: source untouched" unchanged_tree "$root/examples/ledger" "$source"
}

for build in "${builds[@]}"; do
  exe=$root/$build/src/win32/zarvelin.exe
  case "$(file -b "$exe")" in
    *x86-64*) arch=x64 objdump=x86_64-w64-mingw32-objdump ;;
    *) arch=x86 objdump=i686-w64-mingw32-objdump ;;
  esac
  start=$SECONDS
  rm -rf "$cli_files"
  mkdir -p "$cli_files"
  check "$arch zarvelin.exe imports only Windows system DLLs" imports_system_only "$objdump" "$exe"

  cp -r "$root/examples/ledger" "$cli_files/ledger"
  cli_copy "$arch" "the example project" "$exe" "$cli_files/ledger" "$cli_files/out"

  # Names Windows holds in UTF-16: they must survive the command line, the copy and the console.
  japanese=$cli_files/台帳プロジェクト
  cp -r "$root/examples/ledger" "$japanese"
  cli_copy "$arch" "a project in Japanese folders" "$exe" "$japanese" "$cli_files/写し 先"

  timeout 60 wine "$exe" show "$(winepath -w "$japanese/app/Ledger.vbp")" 2>&1 | tr -d '\r' \
    >"$cli_files/show.log"
  status=${PIPESTATUS[0]}
  check "$arch zarvelin.exe show succeeds" status_is "$status" 0
  check "$arch show names the project file in UTF-8" \
    contains "$cli_files/show.log" "$(winepath -w "$japanese/app/Ledger.vbp")"
  check "$arch show lists the nine components" contains "$cli_files/show.log" "Components: 9"
  check "$arch show lists a component's companion" \
    grep -qE '^Form +frmMain +.*frmMain\.frm +frmMain\.frx$' "$cli_files/show.log"

  # Replacing a file that is still open fails on Windows alone.
  cp "$japanese/app/Ledger.vbp" "$cli_files/before.vbp"
  timeout 60 wine "$exe" set "$(winepath -w "$japanese/app/Ledger.vbp")" --major 3 \
    >"$cli_files/set.log" 2>&1
  status=$?
  check "$arch zarvelin.exe set rewrites a project in place" status_is "$status" 0
  check "$arch set changes the one line" status_is \
    "$(diff "$cli_files/before.vbp" "$japanese/app/Ledger.vbp" | tr -d '\r' | grep '^[<>]' |
      tr '\n' '|')" "< MajorVer=1|> MajorVer=3|"

  # A project from a Japanese Windows: its files hold Shift-JIS, where the second byte of 表
  # (\x95\x5C) and of ソ (\x83\x5C) is no backslash. The default code page must find 932 by the
  # names on disk, and the copy must write its project file wholly in Shift-JIS again.
  sjis=$cli_files/ソフト
  mkdir -p "$sjis/表示" "$cli_files/sjis-out"
  printf 'VERSION 5.00\r\nBegin VB.Form frm\x95\x5C\x8E\xA6\r\n   Icon = "\x95\x5C\x8E\xA6.frx":0000\r\nEnd\r\nAttribute VB_Name = "frm\x95\x5C\x8E\xA6"\r\n' \
    >"$sjis/表示/3d表示.frm"
  printf '\x01\x02' >"$sjis/表示/表示.frx"
  printf 'Attribute VB_Name = "m\x83\x5C\x83t\x83g"\r\n' >"$sjis/ソフト.bas"
  printf 'Type=Exe\r\nForm=\x95\x5C\x8E\xA6\\3d\x95\x5C\x8E\xA6.frm\r\nModule=m\x83\x5C\x83t\x83g; \x83\x5C\x83t\x83g.bas\r\nExeName32="\x95\x5C\x8E\xA6.exe"\r\nPath32="bin"\r\n' \
    >"$sjis/P.vbp"
  cp -r "$sjis" "$cli_files/sjis-pristine"
  exe_copy "$exe" "$sjis/P.vbp" "$cli_files/sjis-out" "$cli_files/sjis.log"
  status=$?
  check "$arch zarvelin.exe copies a Shift-JIS project" status_is "$status" 0
  check "$arch Shift-JIS project: files in the copy under their names" status_is \
    "$(listing "$cli_files/sjis-out")" "3d表示.frm|3d表示.frx|P.vbp|ソフト.bas|"
  check "$arch Shift-JIS project: the project file written in Shift-JIS" cmp -s \
    "$cli_files/sjis-out/P.vbp" <(printf 'Type=Exe\r\nForm=3d\x95\x5C\x8E\xA6.frm\r\nModule=m\x83\x5C\x83t\x83g; \x83\x5C\x83t\x83g.bas\r\nExeName32="\x95\x5C\x8E\xA6.exe"\r\nPath32=""\r\n')
  check "$arch Shift-JIS project: the form names its companion in Shift-JIS" \
    grep -qaF "$(printf '"3d\x95\x5C\x8E\xA6.frx":0000')" "$cli_files/sjis-out/3d表示.frm"
  verified "$arch Shift-JIS project: verify accepts the copy" "$sjis/P.vbp" "$cli_files/sjis-out"
  check "$arch Shift-JIS project: source untouched" unchanged_tree "$cli_files/sjis-pristine" "$sjis"

  # Names Windows takes for one file, or reads otherwise once their folder is gone: two modules
  # whose names differ only in the case of a letter outside ASCII must stay two files, and a
  # leading blank, which VB drops when it reads the project back, must not reach the copy.
  cased=$cli_files/cased
  mkdir -p "$cased/a" "$cased/b" "$cased/sub" "$cli_files/cased-out"
  printf 'Attribute VB_Name = "m1"\r\n' >"$cased/a/Ä.bas"
  printf 'Attribute VB_Name = "m2"\r\n' >"$cased/b/ä.bas"
  printf 'Attribute VB_Name = "m3"\r\n' >"$cased/sub/ m.bas"
  printf 'Type=Exe\r\nModule=m1; a\\\xC4.bas\r\nModule=m2; b\\\xE4.bas\r\nModule=m3; sub\\ m.bas\r\n' \
    >"$cased/P.vbp"
  cp -r "$cased" "$cli_files/cased-pristine"
  exe_copy "$exe" "$cased/P.vbp" "$cli_files/cased-out" "$cli_files/cased.log"
  status=$?
  check "$arch zarvelin.exe copies modules named Ä.bas, ä.bas and ' m.bas'" status_is "$status" 0
  check "$arch Ä.bas and ä.bas stay two files, the blank is dropped" status_is \
    "$(listing "$cli_files/cased-out")" "P.vbp|m.bas|Ä.bas|ä_2.bas|"
  check "$arch each copied module holds its own source" same_files \
    "$cased/a/Ä.bas" "$cli_files/cased-out/Ä.bas" "$cased/b/ä.bas" "$cli_files/cased-out/ä_2.bas" \
    "$cased/sub/ m.bas" "$cli_files/cased-out/m.bas"
  check "$arch the copied project points at each module" cmp -s "$cli_files/cased-out/P.vbp" \
    <(printf 'Type=Exe\r\nModule=m1; \xC4.bas\r\nModule=m2; \xE4_2.bas\r\nModule=m3; m.bas\r\n')
  check "$arch the case renaming is listed" contains "$cli_files/cased.log" "ä_2.bas"
  check "$arch the dropped blank is listed" contains "$cli_files/cased.log" "-> m.bas"
  verified "$arch verify accepts the copy of Ä.bas and ä.bas" "$cased/P.vbp" "$cli_files/cased-out"
  check "$arch Ä.bas and ä.bas: source untouched" unchanged_tree "$cli_files/cased-pristine" "$cased"

  exe_copy "$exe" "$cli_files/ledger/app/Ledger.vbp" "$cli_files/missing" "$cli_files/refused.log"
  status=$?
  check "$arch a copy into a missing directory is refused" status_is "$status" 1
  check "$arch the refusal says why" contains "$cli_files/refused.log" "does not exist (create it, or pass --mkdir)"
  check "$arch the refused copy makes no directory" absent test -e "$cli_files/missing"

  # Keeping the tree: the ledger's shared module and its subfolders keep their places, and so do
  # the meter group's projects and the module they share; a copy that stops leaves no folder.
  rm -rf "$cli_files/tree" && mkdir -p "$cli_files/tree/ledger" "$cli_files/tree/meter"
  timeout 60 wine "$exe" copy --keep-tree "$(winepath -w "$cli_files/ledger/app/Ledger.vbp")" \
    "$(winepath -w "$cli_files/tree/ledger")" >"$cli_files/tree.log" 2>&1
  status=$?
  check "$arch zarvelin.exe copies the ledger keeping its tree" status_is "$status" 0
  check "$arch the kept tree has every file at its place" status_is \
    "$(listing "$cli_files/tree/ledger")" "$ledger_tree"
  verified "$arch verify --keep-tree accepts the ledger's tree" \
    "$cli_files/ledger/app/Ledger.vbp" "$cli_files/tree/ledger" --keep-tree
  rm -rf "$cli_files/meter" && cp -r "$root/examples/meter" "$cli_files/meter"
  timeout 60 wine "$exe" copy --keep-tree "$(winepath -w "$cli_files/meter/Meter.vbg")" \
    "$(winepath -w "$cli_files/tree/meter")" >"$cli_files/tree-group.log" 2>&1
  status=$?
  check "$arch zarvelin.exe copies the meter group keeping its tree" status_is "$status" 0
  check "$arch the group's projects share one copy of their module" status_is \
    "$(listing "$cli_files/tree/meter")" \
    "Meter.vbg|common/mScale.bas|control/MeterCtl.vbp|control/ctlMeter.ctl|test/MeterTest.vbp|test/frmTest.frm|"
  verified "$arch verify --keep-tree accepts the group's tree" \
    "$cli_files/meter/Meter.vbg" "$cli_files/tree/meter" --keep-tree
  check "$arch the group's source untouched" unchanged_tree "$root/examples/meter" "$cli_files/meter"
  rm "$cli_files/meter/test/frmTest.frm"
  mkdir -p "$cli_files/tree/stopped"
  timeout 60 wine "$exe" copy --keep-tree "$(winepath -w "$cli_files/meter/Meter.vbg")" \
    "$(winepath -w "$cli_files/tree/stopped")" >"$cli_files/tree-stopped.log" 2>&1
  status=$?
  check "$arch a kept-tree group copy missing a form stops" status_is "$status" 1
  check "$arch the stopped tree copy leaves its directory empty" status_is \
    "$(ls -A "$cli_files/tree/stopped")" ""
  echo "$arch zarvelin.exe proof in $((SECONDS - start)) s"

  start=$SECONDS
  for program in "$root/$build"/tests/*_tests.exe; do
    [[ -e "$program" ]] || continue
    name=$(basename "$program" .exe)
    timeout 300 wine "$program" --gtest_brief=1 >"$cli_files/$name.log" 2>&1
    status=$?
    tr -d '\r' <"$cli_files/$name.log" | grep -E '^\[  FAILED  \]|Failure' | sed "s/^/    $arch /"
    # A program that ran no test proves nothing.
    check "$arch $name pass under Wine" test "$status" -eq 0 -a \
      "$(tr -d '\r' <"$cli_files/$name.log" | grep -cE '^\[  PASSED  \] [1-9][0-9]* tests?\.$')" -eq 1
  done
  echo "$arch portable tests under Wine in $((SECONDS - start)) s"
done
