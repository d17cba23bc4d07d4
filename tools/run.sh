#!/usr/bin/env bash
# Builds and starts tarnwick.exe under Wine in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
source tools/wine-env.sh
cd "build/$TW_WIN/platform/win32"
exec wine tarnwick.exe
