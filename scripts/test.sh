#!/usr/bin/env bash
# Sets up, builds and runs every test: the layer and <windows.h> checks, the native unit and
# end-to-end tests, then the Windows cross builds, the add-in's proof under Wine, and the packages
# users install, made and proved.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-layers.sh
scripts/check-windows-headers.sh i686-w64-mingw32-g++-posix
scripts/check-windows-headers.sh x86_64-w64-mingw32-g++-posix
scripts/build.sh native
ctest --preset native -j "$(nproc)"
for preset in mingw-i686 mingw-x86_64; do
  echo "Cross build: $preset"
  scripts/build.sh "$preset"
done
scripts/wine-proof.sh build/mingw-i686 build/mingw-x86_64
scripts/package.sh
scripts/install-proof.sh dist build/mingw-i686
