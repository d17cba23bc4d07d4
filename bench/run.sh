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
trap 'rm -rf "$work"' EXIT

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/native tarnwick-headless bench/all >/dev/null

args=(--native build/native --work "$work" "$@")
if command -v wine >/dev/null && command -v Xvfb >/dev/null; then
  source tools/wine-env.sh
  winbuild=build/$TW_WIN
  cmake -S . -B "$winbuild" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$TW_TOOLCHAIN" >/dev/null
  ninja -C "$winbuild" tarnwick floor_window startup_probe window_bench bench_floor_write >/dev/null
  source tools/own-display.sh
  trap 'rm -rf "$work"; kill $tw_xvfb 2>/dev/null; true' EXIT
  args+=(--windows "$winbuild" --wine wine)
  [ "$TW_WIN" = win64 ] && args+=(--window-note "64-bit build: this kernel runs no 32-bit programs")
else
  args+=(--why-no-window "wine or Xvfb is not installed")
fi
python3 bench/run.py "${args[@]}"
