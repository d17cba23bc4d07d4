#!/usr/bin/env bash
# Builds everything and runs every test: native unit and scenario tests,
# the same under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# Windows build under Wine (unit, scenario and GUI checks, and a whole run
# of generated scripts with stand-in tools).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
jobs=$(nproc)

missing=0
for tool in cmake ninja g++ i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wine Xvfb zip unzip; do
  command -v "$tool" >/dev/null 2>&1 || missing=1
done
[ -f /usr/include/gtest/gtest.h ] && [ -x /usr/lib/wine/wine64 ] || missing=1
[ -f /usr/lib/x86_64-linux-gnu/gstreamer-1.0/libgstavi.so ] && [ -f /usr/lib/i386-linux-gnu/gstreamer-1.0/libgstavi.so ] || missing=1
if [ $missing = 1 ]; then bash tools/install-deps.sh; fi

# The DirectShow check would open a video window; tests run without a display.
unset DISPLAY

echo "== native"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C build/native -j "$jobs"
(cd build/native && ctest --output-on-failure)

echo "== native with sanitizers"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTW_SANITIZE=ON >/dev/null
ninja -C build/asan -j "$jobs"
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure)

echo "== windows under wine"
source tools/wine-env.sh
# the 32-bit product is always built, with warnings as errors
cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
ninja -C build/win32 -j "$jobs"
if [ "$TW_WIN" = win64 ]; then
  echo "NOTE: this machine runs no 32-bit programs (its kernel has 32-bit emulation off);"
  echo "NOTE: the Windows checks run a 64-bit build of the same sources under wine64"
  cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$TW_TOOLCHAIN" >/dev/null
  ninja -C build/win64 -j "$jobs"
fi
(cd "build/$TW_WIN" && ctest --output-on-failure)
bash tests/gui/run_gui_checks.sh "build/$TW_WIN"
# the real window makes and starts the script; cmd runs it with stand-ins for the outside tools
bash tests/e2e/run_e2e.sh "build/$TW_WIN"
echo "all tests passed"
