#!/usr/bin/env bash
# Compiles every portable header after <windows.h> with a MinGW-w64 compiler, and refuses any
# identifier in the portable code that <windows.h> defines as a macro: such a name (MessageBox,
# CreateDirectory ...) silently becomes its ...A or ...W form wherever the header is included,
# so a Win32 backend would no longer link against callers compiled without it.
# Usage: check-windows-headers.sh COMPILER (the MinGW-w64 compiler the builds use:
# i686-w64-mingw32-g++-posix or x86_64-w64-mingw32-g++-posix)
set -euo pipefail
cd "$(dirname "$0")/.."
compiler="${1:?usage: check-windows-headers.sh COMPILER}"
# The portable layers of the layer map.
mapfile -t portable < <(awk '$2 == "portable" { print $1 }' cmake/layers.txt)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

headers=()
sources=()
for folder in "${portable[@]}"; do
  [[ -d "src/$folder" ]] || continue
  while IFS= read -r file; do
    sources+=("$file")
    [[ "$file" == *.h ]] && headers+=("$file")
  done < <(find "src/$folder" -maxdepth 1 -name '*.h' -o -maxdepth 1 -name '*.cpp' | sort)
done

failed=0
# One unit holds them all, each after <windows.h>: a name the header turns into something else
# shows as a compile error here.
{
  echo '#include <windows.h>'
  printf '#include "%s"\n' "${headers[@]#src/}"
} >"$work/check.cpp"
if ! "$compiler" -std=c++20 -fsyntax-only -Isrc "$work/check.cpp" 2>"$work/errors"; then
  echo "Portable headers do not compile after <windows.h>:"
  head -20 "$work/errors"
  failed=1
fi

# Macro names of <windows.h> that the standard library does not define too.
echo '#include <windows.h>' | "$compiler" -std=c++20 -dM -E -x c++ - |
  awk '{ sub(/\(.*/, "", $2); print $2 }' | sort -u >"$work/windows"
echo '#include <string>' | "$compiler" -std=c++20 -dM -E -x c++ - |
  awk '{ sub(/\(.*/, "", $2); print $2 }' | sort -u >"$work/standard"
comm -23 "$work/windows" "$work/standard" >"$work/macros"

# Identifiers of the portable code, without comments and string or character literals.
sed -E -e 's://.*$::' -e 's/"([^"\\]|\\.)*"/""/g' -e "s/'([^'\\\\]|\\\\.)*'/''/g" "${sources[@]}" |
  grep -oE '\b[A-Za-z_][A-Za-z0-9_]*\b' | sort -u >"$work/identifiers"
clashes=$(comm -12 "$work/identifiers" "$work/macros")
if [[ -n "$clashes" ]]; then
  echo "Names that <windows.h> defines as macros, used in portable code:"
  for name in $clashes; do
    grep -nwE "$name" "${sources[@]}" | head -3
  done
  failed=1
fi

((failed == 0)) && echo "Portable headers are safe after <windows.h> ($compiler, ${#headers[@]} headers)."
exit "$failed"
