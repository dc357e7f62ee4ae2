#!/usr/bin/env bash
# Refuses an include that reaches a layer above the including one: the libraries link only what
# they may use, and this keeps their headers honest too, so a wrong include fails the test run
# before it turns into a link error on another platform.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each layer folder and the folders it may include from (besides itself).
declare -A may=(
  [runtime]=""
  [platform]="runtime"
  [forms]="runtime platform"
  [ide]="runtime"
  [project]="runtime ide"
  [support]="runtime platform forms"
  [copy]="runtime platform forms ide project support"
  [ui]="runtime platform forms ide project support copy"
  [addin]="runtime platform forms ide project support copy ui"
  [filebacked]="runtime platform ide project"
  [app]="runtime platform forms ide project support copy ui addin"
  [console]="runtime platform forms"
  [cli]="runtime platform forms ide project support copy ui addin filebacked app app/terminal"
  [app/terminal]="runtime platform forms ide project support copy ui addin app host terminal console"
  [host]="runtime platform"
  [terminal]="runtime platform forms host console"
  [win32]="runtime platform forms ide project support copy ui addin app"
  [win32/cli]="runtime platform forms ide project support copy ui addin app console cli win32"
  [win32/dll]="win32"
  # The test host plays the file-backed IDE and runs on the Windows services, as the add-in does.
  [win32/host]="runtime platform forms ide filebacked win32"
)

failed=0
for layer in "${!may[@]}"; do
  [[ -d "src/$layer" ]] || continue
  allowed=" $layer ${may[$layer]} "
  while IFS= read -r hit; do
    file=${hit%%:*}
    included=$(sed -nE 's/.*#include "([^"]+)".*/\1/p' <<<"${hit#*:}")
    folder=${included%/*}
    if [[ "$allowed" != *" $folder "* ]]; then
      echo "$file includes $included: layer $layer may not reach $folder"
      failed=1
    fi
  done < <(grep -H '^#include "' "src/$layer"/*.h "src/$layer"/*.cpp 2>/dev/null || true)
done
((failed == 0)) && echo "Every layer includes only the layers below it."
exit "$failed"
