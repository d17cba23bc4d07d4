#!/usr/bin/env bash
# Builds the Windows program (build/win32/tarnwick.exe) and the native headless driver.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/native
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
ninja -C build/win32
