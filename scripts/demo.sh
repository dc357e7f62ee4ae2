#!/usr/bin/env bash
# Sets up, builds and runs Zarvelin on the bundled example: copies the Ledger project into a fresh
# directory, then lists the copy's project file and what the copy directory holds.
set -euo pipefail
cd "$(dirname "$0")/.."
ZARVELIN_CROSS=0 scripts/setup.sh
scripts/build.sh native
zarvelin=build/native/src/cli/zarvelin
project=examples/ledger/app/Ledger.vbp
target=build/example-copy

"$zarvelin" --version
rm -rf "$target" && mkdir -p "$target"
echo "== zarvelin copy $project $target"
"$zarvelin" copy "$project" "$target"
echo "== zarvelin show $target/Ledger.vbp"
"$zarvelin" show "$target/Ledger.vbp"
echo "== $target"
ls -l "$target"
