#!/usr/bin/env bash
# Builds the coverage preset, runs every test and prints the line coverage of src/ and its branch
# coverage without throw and unreachable branches (gcovr). Run from anywhere; needs gcovr, which
# `ZARVELIN_COVERAGE=1 scripts/setup.sh` installs.
set -euo pipefail
cd "$(dirname "$0")/.."

find build/coverage -name '*.gcda' -delete 2>/dev/null || true
cmake --preset coverage >/dev/null
cmake --build --preset coverage
ctest --preset coverage -j"$(nproc)"

gcovr --root . --filter 'src/' --object-directory build/coverage --print-summary \
  --exclude-throw-branches --exclude-unreachable-branches -o build/coverage/summary.txt
