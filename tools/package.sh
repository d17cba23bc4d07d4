#!/usr/bin/env bash
# Builds dist/tarnwick-win32.zip: tarnwick.exe, the sibling tools, the default
# include script and a README for Windows users.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
ninja -C build/win32 tarnwick tallow brindle marram quillon
stage=$(mktemp -d)
mkdir -p "$stage/tarnwick/avsinc"
for exe in tarnwick tallow brindle marram quillon; do
  find build/win32 -name "$exe.exe" -exec cp {} "$stage/tarnwick/" \; -quit
  [ -f "$stage/tarnwick/$exe.exe" ] || { echo "missing $exe.exe" >&2; exit 1; }
done
cp dist-files/avsinc/default.avs "$stage/tarnwick/avsinc/"
cp dist-files/README.txt "$stage/tarnwick/"
mkdir -p dist
rm -f dist/tarnwick-win32.zip
(cd "$stage" && zip -qr "$top/dist/tarnwick-win32.zip" tarnwick)
rm -rf "$stage"
echo "dist/tarnwick-win32.zip"
