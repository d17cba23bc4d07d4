#!/usr/bin/env bash
# Runs the built sibling tools as the scripts do: RUNNER (empty or "wine")
# and the folder holding them, which must end with the tools' suffix (.exe).
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$1; ext=$2; shift 2; run=("$@")
fail=0
check() { if [ "$1" != "$2" ]; then echo "FAIL $3: got [$1] want [$2]"; fail=1; fi; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
cd "$work"
t() { WINEDEBUG=-all timeout -k 5 60 "${run[@]}" "$dir/$1$ext" "${@:2}"; }

# brindle: exit code and verdict line
head -c 3145728 /dev/zero > three.bin
t brindle 2.5 3 three.bin > o.txt; rc=$?; check "$rc|$(tr -d '\r' < o.txt)" "0|size 3.0 MB lies inside 2.5..3" brindle-inside
t brindle 3.5 10 three.bin > o.txt; rc=$?; check "$rc|$(tr -d '\r' < o.txt)" "1|size 3.0 MB lies outside 3.5..10" brindle-outside
t brindle 1 2 missing.bin > /dev/null; check "$?" 1 brindle-missing
t brindle 1 x three.bin 2> /dev/null; check "$?" 2 brindle-usage
t brindle 1 2 2> /dev/null; check "$?" 2 brindle-args

# marram
t marram 10; check "$?" 0 marram
t marram -1 2> /dev/null; check "$?" 2 marram-usage

# tallow: every byte to the log and to the console, CR progress lines too
printf 'a\r[1%%]\rb\r\nend' > in.txt
t tallow log.txt < in.txt > out.txt; check "$?" 0 tallow
cmp -s in.txt log.txt || { echo "FAIL tallow log"; fail=1; }
cmp -s in.txt out.txt || { echo "FAIL tallow out"; fail=1; }
t tallow 2> /dev/null < in.txt > /dev/null; check "$?" 2 tallow-usage

# quillon writes quillon.bat naming its own folder
t quillon run; check "$?" 0 quillon
[ -f quillon.bat ] || { echo "FAIL quillon.bat missing"; fail=1; }
grep -q $'tools;%PATH%"\r$' quillon.bat || { echo "FAIL quillon.bat content"; cat -A quillon.bat; fail=1; }
t quillon walk 2> /dev/null; check "$?" 2 quillon-usage
if [ "${run[0]:-}" = wine ]; then
  # fathom opens real clips through DirectShow without a display
  python3 "$here/../tests/make_avi.py" pal.avi 50 25
  python3 "$here/../tests/make_avi.py" ntsc.avi 48 24000 1001
  for c in "pal.avi|0|frames=50 rate=25" "ntsc.avi|0|frames=48 rate=23" "three.bin|1|" "missing.avi|1|"; do
    IFS='|' read -r clip want_rc want <<< "$c"
    (unset DISPLAY; t fathom "$clip" > o.txt 2> e.txt); check "$?|$(tr -d '\r' < o.txt)" "$want_rc|$want" "fathom $clip"
    [ "$want_rc" = 0 ] && grep "cannot open" e.txt
  done
  # cmd itself takes the search path from quillon.bat
  printf '@call quillon.bat\r\n@echo %%PATH%%> path.txt\r\n' > show.bat
  WINEDEBUG=-all wine cmd /c show.bat
  want="Z:${dir//\//\\}\\;Z:${dir//\//\\}\\tools;"
  got=$(tr -d '\r\n' < path.txt)
  [ "${got#"$want"}" != "$got" ] || { echo "FAIL quillon path: [$got] should start with [$want]"; fail=1; }
fi
exit $fail
