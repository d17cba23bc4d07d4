#!/usr/bin/env bash
# Runs the window's own tests under Xvfb and Wine, then starts the real
# tarnwick.exe in a fresh program folder, checks every control of the window,
# saves a screenshot of each page under build/gui/, closes the window and
# checks its exit code; the window scenarios compare the files. Every Wine
# step has a time limit, and a crash (winedbg is off, see wine-env.sh) fails
# its step with its message.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/tools/wine-env.sh"
build=$(realpath "${1:-$top/build/$TW_WIN}")
# A display of the checks' own, so the window and its dialogs meet no others.
if [ -z "${TW_OWN_DISPLAY:-}" ]; then
  TW_OWN_DISPLAY=1 exec timeout -k 10 1800 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build"
fi
# Then all of it again at 144 DPI (150%), in a prefix of its own.
dpi=${TW_DPI:-96}
[ $dpi = 96 ] || { export WINEPREFIX=$WINEPREFIX-$dpi; tw_prefix $dpi; }
shots="$top/build/gui${TW_DPI:+/$dpi}"; mkdir -p "$shots"
# A Wine session begun without this display would draw nowhere: it must end.
timeout 60 wineserver -w || timeout 30 wineserver -k
pass=0; fail=0
ok() { pass=$((pass+1)); }
bad() { fail=$((fail+1)); echo "FAIL $*"; }
# w SECONDS PROGRAM ARGS...: PROGRAM under Wine, ended when it overruns
w() { timeout -k 5 "$1" wine "${@:2}"; }

# The window's own tests first: they make a main window of the same class,
# which the checks below must not take for the program's.
w 300 "$build/tests/gui/window_tests.exe" > "$shots/window_tests.log" 2>&1 && ok ||
  { bad "window tests (see below)"; cat "$shots/window_tests.log"; }

# The program declares per-monitor awareness in its manifest.
grep -aq '>true/pm</dpiAware>' "$build/platform/win32/tarnwick.exe" &&
  grep -aq '>PerMonitorV2, PerMonitor</dpiAwareness>' "$build/platform/win32/tarnwick.exe" && ok || bad "manifest"
prog=$(mktemp -d)
cp "$build/platform/win32/tarnwick.exe" "$build/fathom.exe" "$prog/"
(cd "$prog" && w 300 tarnwick.exe; echo $? > "$prog/exit-code") &
if w 60 "$build/tests/gui/gui_check.exe" wait; then ok; else bad "controls of the window"; fi
pages=(bitrate rate-control mbs-frames more job)
for n in 0 1 2 3 4; do
  [ $n -gt 0 ] && w 30 "$build/tests/gui/gui_check.exe" next
  sleep 1  # the page is drawn after the window answers
  timeout 30 import -window root -crop $((320 * dpi / 96))x$((400 * dpi / 96))+0+0 "$shots/page-$n-${pages[$n]}.png" &&
    ok || bad "screenshot $n"
done
w 30 "$build/tests/gui/gui_check.exe" close
for _ in $(seq 1 100); do [ -f "$prog/exit-code" ] && break; sleep 0.2; done
[ "$(cat "$prog/exit-code" 2>/dev/null)" = 0 ] && ok || bad "exit code $(cat "$prog/exit-code" 2>/dev/null)"
rm -rf "$prog"

# A file on the command line fills the fields; a later start from another folder hands its own to that
# window and ends within seconds. After "Add" the process is killed: the next start shows the same lines on
# page "Job".
if [ $dpi = 96 ]; then
  prog=$(mktemp -d); cp "$build/platform/win32/tarnwick.exe" "$build/fathom.exe" "$prog/"
  : > "$prog/clip.avi"; : > "$prog/other.avi"; wp="Z:${prog//\//\\}"
  dump() { w 30 "$build/tests/gui/gui_check.exe" dump | tr -d '\r'; }
  made() { for _ in $(seq 1 100); do [ -f "$prog/$1" ] && return; sleep 0.2; done; false; }
  (cd "$prog" && w 120 tarnwick.exe "$wp\\clip.avi") &
  made avs/clip.avi.avs && [ "$(dump | sed -n 2,3p)" = "$(printf '%s\n' "$wp\\avs\\clip.avi.avs" "$wp\\clip.mp4")" ] &&
    ok || bad "the file on the command line"
  start=$SECONDS
  (cd / && w 20 "$prog/tarnwick.exe" "$wp\\other.avi") && made avs/other.avi.avs && [ $((SECONDS - start)) -le 5 ] &&
    [ "$(dump | sed -n 2p)" = "$wp\\avs\\other.avi.avs" ] && ok || bad "a later start's hand-over"
  w 30 "$build/tests/gui/gui_check.exe" add; made tarnwick.jobs; before=$(dump | sed 1,3d)
  timeout 30 wineserver -k
  (cd "$prog" && w 120 tarnwick.exe) &
  after=$(dump)
  [ -n "$before" ] && [ "$(echo "$after" | sed -n 1p)" = "page 4" ] && [ "$(echo "$after" | sed 1,3d)" = "$before" ] &&
    ok || bad "the list after the program was killed: $before / $after"
  timeout 30 wineserver -k; wait
  rm -rf "$prog"
fi

# The real window and tarnwick-headless play the same scenarios from the
# same folders; what they print and every file they write must agree. During
# long work (100 clips imported in size mode) the window answers within half
# a second, and its progress shows: a screenshot of it.
same=(tests/gui/scenarios/*.scn tests/scenarios/{modes_form,modes_lines,rules_enables,rules_matrix}.scn
      tests/scenarios/{quit_question,quit_yes,clear_question,files_arriving}.scn tests/scenarios/list_copy_{restored,set_aside}.scn
      tests/scenarios/settings_{first_start,named_config,save_no,last_run}.scn)
rm -f "$shots/answers.txt"
(w 300 "$build/tests/gui/gui_check.exe" progress && sleep 1 &&
  timeout 30 import -window root -crop $((320 * dpi / 96))x$((400 * dpi / 96))+0+0 "$shots/progress.png") & shot=$!
if (cd "$top" && TW_ANSWER_LIMIT_MS=500 TW_ANSWER_LOG="$shots/answers.txt" \
    timeout -k 10 1200 python3 tests/run_scenarios.py --window "$build" "${same[@]}"); then
  ok
else
  bad "window and headless differ"
fi
wait $shot && ok || bad "no progress shown"
echo "slowest answer of the window during long work: $(sort -n "$shots/answers.txt" | tail -1) ms"
# The release zip unpacked into an empty folder walks the whole road alone.
if [ $dpi != 96 ]; then :
elif (cd "$top" && bash tools/package.sh "$TW_WIN" >/dev/null &&
    timeout -k 10 300 python3 tests/run_scenarios.py --window --package "dist/tarnwick-$TW_WIN.zip" "$build" \
      tests/gui/scenarios/road.scn); then
  ok
else
  bad "road from the release zip"
fi
timeout 30 wineserver -k 2>/dev/null
echo "gui at $dpi DPI: $pass passed, $fail failed"
[ $dpi != 96 ] || TW_DPI=144 bash "$0" "$build" || fail=$((fail+1))
[ $fail = 0 ]
