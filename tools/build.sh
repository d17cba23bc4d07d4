#!/usr/bin/env bash
# Builds the Windows program (build/win32/tarnwick.exe) and the native headless
# driver; on a machine that runs no 32-bit programs also the 64-bit build that
# runs there (build/win64, see wine-env.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
source tools/wine-env.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/native
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
ninja -C build/win32
if [ "$TW_WIN" = win64 ]; then
  cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$TW_TOOLCHAIN" >/dev/null
  ninja -C build/win64
fi
