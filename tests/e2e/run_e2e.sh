#!/usr/bin/env bash
# Runs the road of tests/e2e/road.scn end to end under Wine and Xvfb: in a
# fresh program folder the real tarnwick.exe window, driven by gui_check.exe
# as a user would drive it, writes the job list (a copy by Make BAT, then
# temp.bat by Start) and starts the script at idle priority; the script runs
# with stand-ins for x264, bepipe, neroaacenc and mp4box, and check_run.py
# checks what they recorded and left. Two rounds: the conditional pass's
# first output inside its size range, then outside. Before them, a short
# round (sources_round) checks that jobs encoded into their sources' own
# folder leave the sources as they were; after them a round runs today's
# x264 and mkvmerge on a real clip. Every Wine step has a time limit; a
# crash fails its step with its message (wine-env.sh).
# Usage: run_e2e.sh BUILD_DIR (e.g. build/win32).
set -u
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
source "$top/tools/wine-env.sh"
build=$(realpath "${1:-$top/build/$TW_WIN}")
wait_seconds=60
# The class the program gives the run script, which every tool's parent
# must have had.
want_priority=64
fail=0

# A display of the run's own, so the window and its dialogs meet no others.
if [ -z "${TW_OWN_DISPLAY:-}" ]; then
  TW_OWN_DISPLAY=1 exec timeout -k 10 900 xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$build"
fi
# A Wine session begun without this display (the unit tests run without
# one) would go on drawing nowhere, so it must end before the first window.
timeout 60 wineserver -w || timeout 30 wineserver -k

# Plays SCENARIO (a POSIX path) against the window of PROG's tarnwick.exe
# (PF is PROG's Windows form), started in PROG. The scenario ends by pressing
# Start; the driver then closes the window, which leaves the script running.
# Writes the driver's output to LOG.
play_window() {
  local prog=$1 pf=$2 scenario=$3 log=$4 rc
  (cd "$prog" && timeout -k 5 300 wine "$build/tests/gui/gui_check.exe" play "${pf}tarnwick.exe" "Z:${scenario//\//\\}") > "$log" 2>&1
  rc=$?
  if [ $rc != 0 ]; then
    echo "FAIL the window driver ended with exit code $rc"
    return 1
  fi
  # the script pauses a second before its first tool, so one of them is there
  if [ ! -e "$prog/temp.bat" ] && [ ! -e "$prog/tools/calls.log" ]; then
    echo "FAIL the program started no script"
    return 1
  fi
}

# Waits until the run script has deleted itself and the tools' record stays still.
wait_for_run() {
  local prog=$1 last="" now
  for _ in $(seq 1 $((wait_seconds * 5))); do
    now=$(stat -c %Y.%s "$prog/tools/calls.log" 2>/dev/null)
    if [ ! -e "$prog/temp.bat" ] && [ "$now" = "$last" ]; then return 0; fi
    last=$now
    sleep 0.2
  done
  echo "FAIL the run did not end within $wait_seconds s"
  return 1
}

# setup SCENARIO STANDINS...: a fresh $work with the program folder $prog
# (Windows form $pf) holding the program, its helpers, the includes and, in
# tools\ (which only the search path from quillon.bat finds), the STANDINS;
# $work/SCENARIO.scn is tests/e2e's with $PF replaced by $pf.
setup() {
  local scenario=$1
  shift
  work=$(mktemp -d)
  prog=$work/prog
  pf="Z:${prog//\//\\}\\"
  mkdir -p "$prog/tools" "$prog/avsinc" "$prog/media"
  cp "$build/platform/win32/tarnwick.exe" "$prog/"
  for tool in tallow brindle marram quillon fathom; do cp "$build/$tool.exe" "$prog/"; done
  cp "$@" "$prog/tools/"
  cp "$top"/dist-files/avsinc/*.avs "$prog/avsinc/"
  PF="$pf" python3 -c 'import os,sys; sys.stdout.write(open(sys.argv[1],newline="").read().replace("$PF", os.environ["PF"]))' \
    "$here/$scenario.scn" > "$work/$scenario.scn"
}

# finish LOGS...: a round that failed (ok=0) fails the whole and shows LOGS.
finish() {
  if [ $ok = 0 ]; then
    fail=1
    echo "-- output of the run:"
    cat "$@"
  fi
  rm -rf "$work"
}

# round NAME SECOND SIZES...: SIZES are the x264 output sizes in bytes of call
# 1, 2, ...; call 4 is the conditional pass's first pass, kept by 1..2 MB.
round() {
  local name=$1 second=$2 sizes=$3 ok=1
  echo "== e2e round: $name"
  setup road "$build"/tests/e2e/standins/*.exe
  printf 'x264 %s\r\n' "$sizes" > "$prog/tools/standin.cfg"
  for clip in clip2 clip6 clip13; do printf 'stand-in clip %s\r\n' "$clip" > "$prog/media/$clip.mkv"; done
  if play_window "$prog" "$pf" "$work/road.scn" "$work/run.log" && wait_for_run "$prog"; then
    python3 "$here/check_run.py" "$prog" "$prog/road.bat" "$second" "$want_priority" || ok=0
  else
    ok=0
  fi
  finish "$work/run.log"
}

# The sources a job is made from survive it: safe.scn through the headless
# driver, then its batch file through Wine's cmd, with the mkvmerge stand-in
# ending its calls with 0, 2 (an error, beside an older file of the target's
# name) and 1 (warnings); check_safe.py checks what is left.
sources_round() {
  local clip rc ok=1
  echo "== e2e round: sources"
  setup safe "$build"/tests/e2e/standins/*.exe
  mkdir -p "$work/originals" "$work/cwd"
  printf 'mkvmerge 0 2 1\r\n' > "$prog/tools/standin.cfg"
  for clip in clip.mp4 film.mkv 'up^arrow.avi'; do printf 'stand-in source %s\r\n' "$clip" > "$prog/media/$clip"; done
  cp "$prog"/media/* "$work/originals/"
  printf 'older mux\r\n' > "$prog/media/film.mux.mkv"
  if ! (cd "$work/cwd" && timeout -k 5 120 wine "$build/tarnwick-headless.exe" --program-folder "${pf%\\}" "$work/safe.scn") \
    > "$work/run.log" 2>&1; then
    ok=0
    echo "FAIL the headless driver did not make safe.bat"
  else
    # the script's exit code is that of its last line; only the time limit counts
    (cd "$prog" && timeout -k 5 120 wine cmd /c safe.bat < /dev/null) >> "$work/run.log" 2>&1
    rc=$?
    if [ $rc = 124 ] || [ $rc = 137 ]; then
      ok=0
      echo "FAIL Wine's cmd did not run safe.bat to its end within 120 s"
    fi
  fi
  python3 "$here/check_safe.py" "$prog" "$work/originals" || ok=0
  finish "$work/run.log"
}

# check_refusal FOLDER WHAT EXE ARGS...: the stand-in must exit with 1.
check_refusal() {
  local folder=$1 what=$2 rc
  shift 2
  (cd "$folder" && timeout -k 5 60 wine "$@" < /dev/null > /dev/null 2>&1)
  rc=$?
  if [ $rc = 1 ]; then echo "PASS stand-in refuses $what"; else echo "FAIL stand-in exit $rc for $what"; fail=1; fi
}

# The stand-ins must refuse what the real tools would, or the rounds prove little.
standins_refuse() {
  local work
  work=$(mktemp -d)
  cp "$build"/tests/e2e/standins/*.exe "$work/"
  printf 'clip\r\n' > "$work/clip.avs"
  check_refusal "$work" "a missing x264 input" x264.exe -o out.mp4 missing.avs
  check_refusal "$work" "a later pass without its stats file" x264.exe -p 2 --stats none.stat -o out.mp4 clip.avs
  check_refusal "$work" "a missing bepipe script" bepipe.exe --script "import(^missing.avs^)"
  check_refusal "$work" "empty audio input" neroaacenc.exe -if - -of out.mp4
  check_refusal "$work" "a missing audio file to mux" mp4box.exe -add missing.mp4 clip.avs
  if [ -e "$work/out.mp4" ]; then echo "FAIL a refusing stand-in wrote out.mp4"; fail=1; fi
  rm -rf "$work"
}

# The round with today's tools: Debian's x264, mkvmerge and ffmpeg behind
# adapters named as the Windows tools (standin.cpp built as adapters), the
# stand-in bepipe for the audio source, a real clip of 25 frames; ffprobe
# reads the result.
real_round() {
  local ok=1 frames streams
  echo "== e2e round: real x264 and mkvmerge"
  for need in /usr/bin/x264 /usr/bin/mkvmerge /usr/bin/ffmpeg /usr/bin/ffprobe; do
    if [ ! -x $need ]; then echo "SKIP the real round: no $need"; return 0; fi
  done
  setup real "$build/tests/e2e/standins/bepipe.exe" "$build"/tests/e2e/adapters/*.exe
  timeout 60 ffmpeg -loglevel error -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 25 -pix_fmt yuv420p \
    "$prog/media/clip.y4m"
  if play_window "$prog" "$pf" "$work/real.scn" "$work/run.log" && wait_for_run "$prog"; then
    if ! grep -q '^X264FoundLabel .*: Current"' "$work/run.log"; then echo "FAIL Auto did not find today's x264"; ok=0; fi
    frames=$(timeout 60 ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames \
      -of csv=p=0 "$prog/media/clip.mkv")
    streams=$(timeout 60 ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$prog/media/clip.mkv" | tr '\n' ' ')
    if [ "$frames" = 25 ] && [ "$streams" = "h264 aac " ]; then
      echo "PASS clip.mkv holds 25 frames of H.264 and the AAC audio"
    else
      echo "FAIL clip.mkv: frames '$frames', streams '$streams'"
      ok=0
    fi
    for gone in clip.264 clip.audio.mp4; do
      if [ -e "$prog/media/$gone" ]; then echo "FAIL the script left $gone"; ok=0; fi
    done
  else
    ok=0
  fi
  finish "$work/run.log" "$prog/tools/calls.log"
}

echo "== e2e stand-ins"
standins_refuse
sources_round
round inside 0 "1000 2000 3000000 1500000 2500000"
round outside 1 "1000 2000 3000000 3000000 1500000"
real_round
timeout 30 wineserver -k 2>/dev/null
if [ $fail = 0 ]; then echo "e2e: passed"; else echo "e2e: FAILED"; fi
exit $fail
