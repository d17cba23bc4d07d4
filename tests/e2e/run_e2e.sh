#!/usr/bin/env bash
# The end-to-end rounds (e2e.py) under Wine and Xvfb: the real tarnwick.exe
# window, driven by gui_check.exe as a user would drive it, or the headless
# driver makes a job list; the script runs with stand-ins for the outside
# tools or, in the last round, today's x264 and mkvmerge. Every Wine step has
# a time limit; a crash fails its step with its message (wine-env.sh).
# Usage: run_e2e.sh BUILD_DIR [--write] (e.g. build/win32).
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/tools/wine-env.sh"
build=$(realpath "${1:-$top/build/$TW_WIN}")
# A display of the run's own, so the window and its dialogs meet no others.
if [ -z "${TW_OWN_DISPLAY:-}" ]; then
  TW_OWN_DISPLAY=1 exec timeout -k 10 900 xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$build" "${@:2}"
fi
# A Wine session begun without this display would draw nowhere: it must end.
timeout 60 wineserver -w || timeout 30 wineserver -k
python3 "$top/tests/e2e/e2e.py" "$build" "${@:2}"
rc=$?
timeout 30 wineserver -k 2>/dev/null
exit $rc
