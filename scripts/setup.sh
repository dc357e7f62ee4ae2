#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine, only what is missing. Run as root.
set -euo pipefail

packages=(cmake ninja-build g++ ccache libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev)
if [[ "${ZARVELIN_CROSS:-1}" == 1 ]]; then
  packages+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64)
fi
# Only scripts/coverage.sh needs gcovr.
if [[ "${ZARVELIN_COVERAGE:-0}" == 1 ]]; then
  packages+=(gcovr)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
