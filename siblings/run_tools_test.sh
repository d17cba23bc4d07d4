#!/usr/bin/env bash
# Runs the built sibling tools as the scripts do: RUNNER (empty or "wine")
# and the folder holding them, which must end with the tools' suffix (.exe).
# What they make of their input is the unit tests' to check, their work in
# a running script the end-to-end rounds': here, what they answer to calls
# the scripts never make.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$1; ext=$2; shift 2; run=("$@")
fail=0
check() { if [ "$1" != "$2" ]; then echo "FAIL $3: got [$1] want [$2]"; fail=1; fi; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
t() { WINEDEBUG=-all timeout -k 5 60 "${run[@]}" "$dir/$1$ext" "${@:2}"; }

head -c 3145728 /dev/zero > three.bin
t brindle 3.5 10 three.bin > o.txt; check "$?|$(tr -d '\r' < o.txt)" "1|size 3.0 MB lies outside 3.5..10" brindle
t brindle 1 2 missing.bin > /dev/null; check "$?" 1 brindle-missing
t brindle 1 x three.bin 2> /dev/null; check "$?" 2 brindle-usage
t brindle 1 2 2> /dev/null; check "$?" 2 brindle-args
t marram 10; check "$?" 0 marram
t marram -1 2> /dev/null; check "$?" 2 marram-usage
t tallow 2> /dev/null < /dev/null > /dev/null; check "$?" 2 tallow-usage
t quillon run; check "$?" 0 quillon
[ -f quillon.bat ] || { echo "FAIL quillon.bat missing"; fail=1; }
t quillon walk 2> /dev/null; check "$?" 2 quillon-usage
if [ "${run[0]:-}" = wine ]; then
  # fathom opens real clips through DirectShow without a display (size_probe
  # in the window measures one at 25 fps) and refuses what it cannot open
  python3 "$here/../tests/make_avi.py" ntsc.avi 48 24000 1001
  for c in "ntsc.avi|0|frames=48 rate=23" "three.bin|1|" "missing.avi|1|"; do
    IFS='|' read -r clip want_rc want <<< "$c"
    (unset DISPLAY; t fathom "$clip" > o.txt 2> e.txt); check "$?|$(tr -d '\r' < o.txt)" "$want_rc|$want" "fathom $clip"
  done
fi
exit $fail
