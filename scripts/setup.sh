#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine, only what is missing. Run as root.
set -euo pipefail

packages=(cmake ninja-build g++ ccache libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev
  libjemalloc-dev)
# scripts/package.sh: CPack's .deb reads the program's library dependencies with dpkg-shlibdeps.
packages+=(dpkg-dev)
if [[ "${ZARVELIN_CROSS:-1}" == 1 ]]; then
  # GoogleTest's sources: the cross builds compile the framework for Windows themselves.
  packages+=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest)
  # scripts/package.sh: the Windows setup program and the zip.
  packages+=(nsis zip)
fi
# Only scripts/coverage.sh needs gcovr.
if [[ "${ZARVELIN_COVERAGE:-0}" == 1 ]]; then
  packages+=(gcovr)
fi
# The add-in's proof under Wine: 32- and 64-bit Wine, a virtual display, and what Wine leaves to
# recommended packages that windows need (its own fonts, the 32-bit X libraries).
wine=0
if [[ "${ZARVELIN_CROSS:-1}" == 1 ]]; then
  wine=1
  packages+=(wine wine32:i386 wine64 xvfb xauth file fonts-wine)
  # The proof's screenshots of the real windows are turned into PNG files.
  packages+=(imagemagick)
  for library in libxrender1 libxcursor1 libxrandr2 libxi6 libxinerama1 libxcomposite1 \
    libxfixes3 libxxf86vm1; do
    packages+=("$library" "$library:i386")
  done
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ((wine)) && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  # Adding i386 upgrades shared libraries on both architectures; keep their configuration files.
  apt-get install -y -qq --no-install-recommends -o Dpkg::Options::=--force-confdef \
    -o Dpkg::Options::=--force-confold "${missing[@]}"
fi
