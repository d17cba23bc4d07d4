#!/usr/bin/env bash
# Builds and starts tarnwick.exe under Wine, in build/win32/program (or
# build/win64/program, see wine-env.sh): a folder laid out as the release
# zip, with the small tools beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  echo "tools/run.sh needs an X display; without one, run it as: xvfb-run -a bash tools/run.sh" >&2
  exit 1
fi
bash tools/build.sh
source tools/wine-env.sh
build=build/$TW_WIN
mkdir -p "$build/program/avsinc"
cp "$build/platform/win32/tarnwick.exe" "$build"/{tallow,brindle,marram,quillon,fathom}.exe "$build/program/"
# the user's own include scripts there stay as they are
cp -n dist-files/avsinc/default.avs "$build/program/avsinc/"
cd "$build/program"
exec wine tarnwick.exe
