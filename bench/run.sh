#!/usr/bin/env bash
# Builds what the benchmarks need and prints one table: each figure beside
# its floor, measured in the same run. The window rows run the real
# tarnwick.exe under Wine and Xvfb; where this machine cannot run 32-bit
# programs they use a 64-bit build of the same sources, and where Wine or
# Xvfb is missing they are left out with a note.
set -euo pipefail
cd "$(dirname "$0")/.."
# In RAM where there is a RAM disk: creating a file on this kind of machine's
# disk costs 20 to 400 us, as other programs' deletions come and go, which
# drowns what the program itself costs. TW_BENCH_DIR chooses another place.
# Wine's file dialogs refuse a folder below /dev, so the programs reach it
# through a link in /tmp.
ram=$(mktemp -d "${TW_BENCH_DIR:-/dev/shm}/tw-bench-XXXXXX" 2>/dev/null || mktemp -d /tmp/tw-bench-XXXXXX)
work=/tmp/$(basename "$ram")
[ "$ram" = "$work" ] || ln -s "$ram" "$work"
trap 'rm -rf "$ram"; rm -f "$work"' EXIT

cmake --preset native >/dev/null
cmake --build --preset native --target tarnwick-headless bench/all >/dev/null

args=(--native build/native --work "$work" "$@")
if command -v wine >/dev/null && command -v xvfb-run >/dev/null; then
  source tools/wine-env.sh
  cmake --preset "$TW_WIN" >/dev/null
  cmake --build --preset "$TW_WIN" --target tarnwick fathom floor_window startup_probe window_bench bench_floor_write \
    probe_import >/dev/null
  args+=(--windows "build/$TW_WIN" --wine wine)
  [ "$TW_WIN" = win64 ] && args+=(--window-note "64-bit build: this kernel runs no 32-bit programs")
  # the window rows on a display of their own, after any Wine session begun
  # without it has ended
  timeout 60 wineserver -w || timeout 30 wineserver -k
  timeout -k 10 7200 xvfb-run -a -s "-screen 0 800x600x24" python3 bench/run.py "${args[@]}"
else
  python3 bench/run.py "${args[@]}" --why-no-window "wine or xvfb-run is not installed"
fi
