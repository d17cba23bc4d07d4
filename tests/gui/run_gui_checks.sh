#!/usr/bin/env bash
# Runs the window's own tests under Xvfb and Wine, then starts the real
# tarnwick.exe in a fresh program folder, checks every control of the window,
# saves a screenshot of each page under build/gui/, closes the window and
# checks the exit code and the files.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/tools/wine-env.sh"
build=$(realpath "${1:-$top/build/$TW_WIN}")
shots="$top/build/gui"; mkdir -p "$shots"
source "$top/tools/own-display.sh"
pass=0; fail=0
ok() { pass=$((pass+1)); }
bad() { fail=$((fail+1)); echo "FAIL $*"; }

# The window's own tests first: they make a main window of the same class,
# which the checks below must not take for the program's.
if wine "$build/tests/gui/window_tests.exe" > "$shots/window_tests.log" 2>&1; then
  ok
else
  bad "window tests (see below)"
  cat "$shots/window_tests.log"
fi

# DirectShow renders a small AVI that the test writes; its video renderer
# needs the display, so the media test must run here and not be skipped.
if wine "$build/tw_tests.exe" --gtest_filter='Win32MediaTest.*' > "$shots/media.log" 2>&1 &&
   ! grep -q SKIPPED "$shots/media.log"; then
  ok
else
  bad "DirectShow media service"
  grep -v ALSA "$shots/media.log" | tail -20
fi

prog=$(mktemp -d)
cp "$build/platform/win32/tarnwick.exe" "$prog/"
(cd "$prog" && wine tarnwick.exe; echo $? > "$prog/exit-code") &
if wine "$build/tests/gui/gui_check.exe" wait; then ok; else bad "controls of the window"; fi
pages=(bitrate rate-control mbs-frames more job)
for n in 0 1 2 3 4; do
  [ $n -gt 0 ] && wine "$build/tests/gui/gui_check.exe" next && sleep 1
  import -window root -crop 320x400+0+0 "$shots/page-$n-${pages[$n]}.png" && ok || bad "screenshot $n"
done
wine "$build/tests/gui/gui_check.exe" close
for _ in $(seq 1 100); do [ -f "$prog/exit-code" ] && break; sleep 0.2; done
[ "$(cat "$prog/exit-code" 2>/dev/null)" = 0 ] && ok || bad "exit code $(cat "$prog/exit-code" 2>/dev/null)"
for d in avs stats configs log avsinc; do [ -d "$prog/$d" ] && ok || bad "folder $d"; done
[ -f "$prog/tarnwick.ini" ] && ok || bad "tarnwick.ini written at exit"
rm -rf "$prog"

# The real window and tarnwick-headless play the same scenarios from the
# same folders; what they print and every file they write must agree.
same=(tests/gui/scenarios/*.scn)
for name in rules_modes start_state settings_first_start settings_named_config settings_save_no settings_last_run quit_question quit_yes; do
  same+=("tests/scenarios/$name.scn")
done
if (cd "$top" && python3 tests/gui/compare_window.py "$build" "${same[@]}"); then ok; else bad "window and headless differ"; fi
# The release zip unpacked into an empty folder walks the whole road alone.
if (cd "$top" && bash tools/package.sh "$TW_WIN" >/dev/null &&
    python3 tests/gui/compare_window.py --package "dist/tarnwick-$TW_WIN.zip" "$build" tests/gui/scenarios/road.scn); then
  ok
else
  bad "road from the release zip"
fi
wineserver -k 2>/dev/null
echo "gui: $pass passed, $fail failed"
[ $fail = 0 ]
