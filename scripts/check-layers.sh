#!/usr/bin/env bash
# Refuses an include that reaches a layer above the including one: the libraries link only what
# they may use, and this keeps their headers honest too, so a wrong include fails the test run
# before it turns into a link error on another platform.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each layer folder and the folders it may include from (besides itself), from the layer map.
declare -A may=()
while read -r folder _ uses; do
  [[ -z "$folder" || "$folder" == \#* ]] && continue
  may[$folder]=$uses
done <cmake/layers.txt

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
