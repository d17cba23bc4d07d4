#!/usr/bin/env bash
# The end-to-end rounds under Wine and Xvfb (see round): in a fresh program
# folder the real tarnwick.exe window, driven by gui_check.exe as a user
# would drive it, or the headless driver makes the job list of a scenario;
# the script runs, started by the window or by Wine's cmd,
# with stand-ins for the outside tools (standin.cpp) or, in the last round,
# today's x264 and mkvmerge behind adapters; check.py judges what they
# recorded and left. Every Wine step has a time limit; a crash fails its
# step with its message (wine-env.sh).
# Usage: run_e2e.sh BUILD_DIR (e.g. build/win32).
set -u
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
source "$top/tools/wine-env.sh"
build=$(realpath "${1:-$top/build/$TW_WIN}")
fail=0

# A display of the run's own, so the window and its dialogs meet no others.
if [ -z "${TW_OWN_DISPLAY:-}" ]; then
  TW_OWN_DISPLAY=1 exec timeout -k 10 900 xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$build"
fi
# A Wine session begun without this display (the unit tests run without
# one) would go on drawing nowhere, so it must end before the first window.
timeout 60 wineserver -w || timeout 30 wineserver -k

# play NAME: the window of $prog's tarnwick.exe, started in $prog, plays
# $work/NAME.scn; the driver then closes the window, which leaves a script
# it started running.
play() {
  (cd "$prog" && timeout -k 5 300 wine "$build/tests/gui/gui_check.exe" play "${pf}tarnwick.exe" \
    "Z:${work//\//\\}\\$1.scn") >> "$work/run.log" 2>&1
}

# play_and_wait NAME: plays NAME.scn, which ends by pressing Start, and waits
# until the script has deleted itself and the tools' record stays still.
play_and_wait() {
  local last="" now
  if ! play "$1"; then
    echo "FAIL the window driver ended with an error"
    return 1
  fi
  for _ in $(seq 1 300); do
    now=$(stat -c %Y.%s "$prog/tools/calls.log" 2>/dev/null)
    if [ ! -e "$prog/temp.bat" ] && [ "$now" = "$last" ]; then return 0; fi
    last=$now
    sleep 0.2
  done
  echo "FAIL the run did not end within 60 s"
  return 1
}

# round NAME SCN CFG SETUP RUN [ARG]: in a fresh program folder $prog
# (Windows form $pf) in a new folder $work, with the program and its own
# tools, the stand-ins in tools\ (which only the search path from
# quillon.bat finds) and the includes, CFG becomes the stand-ins' answers
# (tools/standin.cfg) and SETUP puts the sources into $prog/media, copied as
# they were to $work/originals. SCN.scn (UTF-8) goes over in the ANSI page
# (1252), $PF standing for $pf; `RUN SCN [ARG]` plays it and runs the script
# it makes; check.py SCN WORK NAME judges what is left.
round() {
  local ok=1
  echo "== e2e round: $1"
  work=$(mktemp -d)
  prog=$work/prog
  pf="Z:${prog//\//\\}\\"
  mkdir -p "$prog/tools" "$prog/avsinc" "$prog/media" "$work/originals" "$work/cwd"
  cp "$build/platform/win32/tarnwick.exe" "$prog/"
  for tool in tallow brindle marram quillon fathom; do cp "$build/$tool.exe" "$prog/"; done
  cp "$build"/tests/e2e/standins/*.exe "$prog/tools/"
  cp "$top"/dist-files/avsinc/*.avs "$prog/avsinc/"
  printf '%s\r\n' "$3" > "$prog/tools/standin.cfg"
  "$4"
  cp "$prog"/media/* "$work/originals/"
  PF="$pf" python3 -c 'import os,sys; sys.stdout.buffer.write(open(sys.argv[1],encoding="utf-8",newline="").read().replace("$PF", os.environ["PF"]).encode("cp1252"))' \
    "$here/$2.scn" > "$work/$2.scn"
  "$5" "$2" "${6:-}" || ok=0
  python3 "$here/check.py" "$2" "$work" "$1" || ok=0
  if [ $ok = 0 ]; then
    fail=1
    echo "-- output of the run:"
    cat "$work/run.log" "$prog/tools/calls.log"
  fi
  rm -rf "$work"
}

# by_cmd NAME [window]: the headless driver plays NAME.scn, which makes
# $prog/NAME.bat; with "window", the real window plays NAME.scn as well, and
# the NAME.bat it writes must be the headless driver's byte for byte; then
# Wine's cmd runs NAME.bat.
by_cmd() {
  local name=$1 rc status=0
  if ! (cd "$work/cwd" && timeout -k 5 120 wine "$build/tarnwick-headless.exe" --program-folder "${pf%\\}" \
    "$work/$name.scn") >> "$work/run.log" 2>&1; then
    echo "FAIL the headless driver did not make $name.bat"
    return 1
  fi
  if [ "$2" = window ]; then
    mv "$prog/$name.bat" "$work/headless.bat"
    # the window starts from the factory form, not the headless driver's last run
    rm -f "$prog/tarnwick.ini"
    if play "$name" && cmp -s "$prog/$name.bat" "$work/headless.bat"; then
      echo "PASS the window wrote the same $name.bat as the headless driver"
    else
      status=1
      echo "FAIL the window did not write the same $name.bat as the headless driver"
    fi
  fi
  # the script's exit code is that of its last line; only the time limit counts
  (cd "$prog" && timeout -k 5 120 wine cmd /c "$name.bat" < /dev/null) >> "$work/run.log" 2>&1
  rc=$?
  if [ $rc = 124 ] || [ $rc = 137 ]; then
    echo "FAIL Wine's cmd did not run $name.bat to its end within 120 s"
    return 1
  fi
  return $status
}

# The sources a job is made from survive it, and so does an older result of
# the name a job would take first: the mkvmerge stand-in ends its calls with
# 0, 2 (an error) and 1 (warnings).
safe_setup() {
  for clip in clip.mp4 film.mkv 'up^arrow.avi'; do printf 'stand-in source %s\r\n' "$clip" > "$prog/media/$clip"; done
  printf 'older mux\r\n' > "$prog/media/film.mux.mkv"
}

# Every name reaches every tool as the file meant. Each x264 output is 1.5 MB,
# inside the size check's range, so no second pass runs.
names_setup() {
  for clip in 'café über niño straße €.avi' 'ñandú 50% off & (x)!.avi'; do
    printf 'stand-in source\r\n' > "$prog/media/$clip"
  done
  printf 'BlankClip()\r\n' > "$prog/media/€ script.avs"
}

road_setup() {
  for clip in clip2 clip6 clip13; do printf 'stand-in clip %s\r\n' "$clip" > "$prog/media/$clip.mkv"; done
}

# Today's tools: Debian's x264, mkvmerge and ffmpeg behind adapters named as
# the Windows tools (standin.cpp built as adapters), the stand-in bepipe for
# the audio source, a real clip of 25 frames.
real_setup() {
  cp "$build"/tests/e2e/adapters/*.exe "$prog/tools/"
  timeout 60 ffmpeg -loglevel error -f lavfi -i testsrc=size=64x48:rate=25 -frames:v 25 -pix_fmt yuv420p \
    "$prog/media/clip.y4m"
}

# The stand-ins must refuse what the real tools would, or the rounds prove
# little: each of these calls must end with 1 and write nothing.
standins_refuse() {
  local work what rc
  work=$(mktemp -d)
  cp "$build"/tests/e2e/standins/*.exe "$work/"
  printf 'clip\r\n' > "$work/clip.avs"
  while IFS=: read -r what call; do
    # $call unquoted, to split it into its words
    (cd "$work" && timeout -k 5 60 wine $call < /dev/null > /dev/null 2>&1)
    rc=$?
    if [ $rc = 1 ]; then echo "PASS stand-in refuses $what"; else echo "FAIL stand-in exit $rc for $what"; fail=1; fi
  done <<'EOF'
a missing x264 input:x264.exe -o out.mp4 missing.avs
a later pass without its stats file:x264.exe -p 2 --stats none.stat -o out.mp4 clip.avs
a missing bepipe script:bepipe.exe --script import(^missing.avs^)
empty audio input:neroaacenc.exe -if - -of out.mp4
a missing audio file to mux:mp4box.exe -add missing.mp4 clip.avs
EOF
  if [ -e "$work/out.mp4" ]; then echo "FAIL a refusing stand-in wrote out.mp4"; fail=1; fi
  rm -rf "$work"
}

echo "== e2e stand-ins"
standins_refuse
round safe safe 'mkvmerge 0 2 1' safe_setup by_cmd
round names names 'x264 1500000' names_setup by_cmd window
# x264's output sizes in bytes of call 1, 2, ...: call 4 is the conditional
# pass's first pass, kept by 1..2 MB
round inside road 'x264 1000 2000 3000000 1500000 2500000' road_setup play_and_wait
round outside road 'x264 1000 2000 3000000 3000000 1500000' road_setup play_and_wait
if [ -x /usr/bin/x264 ] && [ -x /usr/bin/mkvmerge ] && [ -x /usr/bin/ffmpeg ] && [ -x /usr/bin/ffprobe ]; then
  round "real x264 and mkvmerge" real '' real_setup play_and_wait
else
  echo "SKIP the real round: it needs x264, mkvmerge, ffmpeg and ffprobe in /usr/bin"
fi
timeout 30 wineserver -k 2>/dev/null
if [ $fail = 0 ]; then echo "e2e: passed"; else echo "e2e: FAILED"; fi
exit $fail
