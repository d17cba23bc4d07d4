#!/usr/bin/env bash
# Builds what the benchmarks need and prints one table: each figure beside
# its floor, measured in the same run. The window rows run the real
# tarnwick.exe under Wine and Xvfb; where this machine cannot run 32-bit
# programs they use a 64-bit build of the same sources, and where Wine or
# Xvfb is missing they are left out with a note.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
work=$(mktemp -d /tmp/tw-bench-XXXXXX)
trap 'rm -rf "$work"; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; true' EXIT

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/native tarnwick-headless bench/all >/dev/null

args=(--native build/native --work "$work" "$@")
why=""
if command -v wine >/dev/null && command -v Xvfb >/dev/null; then
  if /usr/lib/wine/wineserver32 --version >/dev/null 2>&1 || ! [ -x /usr/lib/wine/wine64 ]; then
    winbuild=build/win32 toolchain=cmake/mingw-i686.cmake
    export WINEPREFIX=${BENCH_WINEPREFIX:-$top/build/wineprefix} WINEARCH=win32
    wine=wine
  else
    # The kernel runs no 32-bit programs here: the same sources built for 64 bits.
    winbuild=build/bench-win64 toolchain=cmake/mingw-x86_64.cmake
    export WINEPREFIX=${BENCH_WINEPREFIX:-$top/build/wineprefix64} WINEARCH=win64
    wine=/usr/lib/wine/wine64
  fi
  export WINEDEBUG=-all
  cmake -S . -B "$winbuild" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/$toolchain" >/dev/null
  ninja -C "$winbuild" tarnwick floor_window startup_probe window_bench bench_floor_write >/dev/null
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    $wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
  display=:$((40 + RANDOM % 20))
  Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  export DISPLAY=$display
  args+=(--windows "$winbuild" --wine "$wine")
  [ "$winbuild" = build/bench-win64 ] && args+=(--window-note "64-bit build: this kernel runs no 32-bit programs")
else
  args+=(--why-no-window "wine or Xvfb is not installed")
fi
python3 bench/run.py "${args[@]}"
