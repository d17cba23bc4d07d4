#!/usr/bin/env bash
# Builds dist/tarnwick-win32.zip: tarnwick.exe, the sibling tools, the default
# include script and a README for Windows users. "package.sh win64" builds the
# same zip from the 64-bit build (dist/tarnwick-win64.zip), which the checks
# use on machines that cannot run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
arch=${1:-win32}
case $arch in
  win32 | win64) ;;
  *) echo "usage: package.sh [win32|win64]" >&2; exit 2 ;;
esac
tools=(tarnwick tallow brindle marram quillon fathom)
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target "${tools[@]}"
stage=$(mktemp -d)
mkdir -p "$stage/tarnwick/avsinc"
for exe in "${tools[@]}"; do
  find "build/$arch" -name "$exe.exe" -exec cp {} "$stage/tarnwick/" \; -quit
  [ -f "$stage/tarnwick/$exe.exe" ] || { echo "missing $exe.exe" >&2; exit 1; }
done
cp dist-files/avsinc/default.avs "$stage/tarnwick/avsinc/"
cp dist-files/README.txt "$stage/tarnwick/"
mkdir -p dist
rm -f "dist/tarnwick-$arch.zip"
(cd "$stage" && zip -qr "$top/dist/tarnwick-$arch.zip" tarnwick)
rm -rf "$stage"
echo "dist/tarnwick-$arch.zip"
