#!/usr/bin/env bash
# Builds everything and runs every test: native unit and scenario tests,
# the same under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# Windows build under Wine (unit, scenario and GUI checks, and a whole run
# of generated scripts with stand-in tools). The builds are the presets of
# CMakePresets.json; every test and every Wine step has a time limit.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

missing=0
for tool in cmake ninja g++ clang++ i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine xvfb-run zip unzip python3 timeout \
  x264 mkvmerge ffmpeg ffprobe; do
  command -v "$tool" >/dev/null 2>&1 || missing=1
done
[ -f /usr/include/gtest/gtest.h ] && [ -x /usr/lib/wine/wine64 ] && [ -f /usr/share/wine/fonts/tahoma.ttf ] || missing=1
ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || missing=1
[ -f /usr/lib/x86_64-linux-gnu/gstreamer-1.0/libgstavi.so ] && [ -f /usr/lib/i386-linux-gnu/gstreamer-1.0/libgstavi.so ] || missing=1
if [ $missing = 1 ]; then bash tools/install-deps.sh; fi

# Nothing but the GUI checks needs a display; they bring their own.
unset DISPLAY

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

echo "== native"
build native
ctest --preset native

echo "== native with sanitizers"
build asan
ctest --preset asan

echo "== fuzz targets (clang, libFuzzer), each for a bounded time"
build fuzz
ctest --preset fuzz

echo "== windows under wine"
source tools/wine-env.sh
# the 32-bit product is always built, with warnings as errors
build win32
if [ "$TW_WIN" = win64 ]; then
  echo "NOTE: this machine runs no 32-bit programs (its kernel has 32-bit emulation off);"
  echo "NOTE: the Windows checks run a 64-bit build of the same sources under wine64"
  build win64
fi
ctest --preset "$TW_WIN"
bash tests/gui/run_gui_checks.sh "build/$TW_WIN"
# the real window makes and starts the script; cmd runs it with stand-ins for the outside tools
bash tests/e2e/run_e2e.sh "build/$TW_WIN"
echo "all tests passed"
