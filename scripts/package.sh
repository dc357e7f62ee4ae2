#!/usr/bin/env bash
# Builds what users install into dist/: the Windows setup program and a zip of the same files from
# the 32-bit build (the add-in's architecture), and the Debian package of the native Release build.
# The version is the CMake project's.
# Usage: package.sh   (needs makensis, zip and dpkg-dev: scripts/setup.sh installs them)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/build.sh mingw-i686
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
[[ -n "$version" ]] || { echo "no project version in build/release" >&2; exit 1; }

dist=$root/dist
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$dist" "$stage/Zarvelin"
rm -f "$dist"/Zarvelin-*-setup.exe "$dist"/Zarvelin-*-win32.zip "$dist"/zarvelin_*.deb

# Windows: the add-in, its readme, the command-line program, and the README as text with the line
# ends Notepad wants.
files=$stage/Zarvelin
cp build/mingw-i686/src/win32/{Zarvelin.dll,zarvelin.exe,readme.wri} "$files/"
sed 's/$/\r/' README.md >"$files/README.txt"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' packaging/windows/INSTALL.txt >"$stage/INSTALL.txt"

makensis -V2 -WX -DVERSION="$version" -DFILES="$files" -DREADME="$files/README.txt" \
  -DICON="$root/src/addin/res/Zarvelin.ico" -DOUTFILE="$dist/Zarvelin-$version-setup.exe" \
  packaging/windows/Zarvelin.nsi

cp "$stage/INSTALL.txt" "$files/"
(cd "$stage" && zip -q -X -r "$dist/Zarvelin-$version-win32.zip" Zarvelin)

# Linux: what `cmake --install` of the Release build installs, as a .deb.
cpack --config build/release/CPackConfig.cmake -B build/release/packages >/dev/null
cp build/release/packages/zarvelin_"$version"_*.deb "$dist/"

ls -l "$dist"
