#!/usr/bin/env bash
# Configures and builds one preset (default: native).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-native}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
