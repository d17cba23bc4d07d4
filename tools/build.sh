#!/usr/bin/env bash
# Builds the Windows program (build/win32/tarnwick.exe) and the native headless
# driver; on a machine that runs no 32-bit programs also the 64-bit build that
# runs there (build/win64, see wine-env.sh). The builds are the presets of
# CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine-env.sh
presets=(native win32)
[ "$TW_WIN" = win64 ] && presets+=(win64)
for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
