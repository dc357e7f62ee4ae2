#!/usr/bin/env bash
# Sets up, builds and runs Zarvelin on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
ZARVELIN_CROSS=0 scripts/setup.sh
scripts/build.sh native
zarvelin=build/native/src/cli/zarvelin
"$zarvelin" --version
