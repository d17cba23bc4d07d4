#!/usr/bin/env bash
# Runs every tests/scenarios/*.scn through tarnwick-headless in a fresh
# program folder and compares its output with NAME.expected. In both files
# $PF stands for the program folder (with its separator), so one expected
# file serves the native and the Wine build. A NAME.files file lists
# "PATH-IN-WORK-FOLDER EXPECTED-FILE" pairs compared byte for byte after
# the run, $PF in the expected file replaced by the program folder.
set -u
here=$(cd "$(dirname "$0")" && pwd)
run=("$@")
pass=0; fail=0
wine_build=0; [ "${run[0]}" = wine ] && wine_build=1
# the driver runs in a folder of its own, so its path must be absolute
last=$((${#run[@]} - 1)); run[$last]=$(realpath "${run[$last]}")
for scn in "$here"/scenarios/*.scn; do
  name=$(basename "$scn" .scn)
  work=$(mktemp -d)
  mkdir -p "$work/prog" "$work/cwd"
  if [ $wine_build = 1 ]; then pf="Z:${work//\//\\}\\prog\\"; else pf="$work/prog/"; fi
  # a NAME.setup script may prepare the program folder first
  [ -f "$here/scenarios/$name.setup" ] && (cd "$work/prog" && bash "$here/scenarios/$name.setup")
  PF="$pf" python3 -c 'import os,sys; sys.stdout.write(open(sys.argv[1],newline="").read().replace("$PF", os.environ["PF"]))' "$scn" > "$work/in.scn"
  (cd "$work/cwd" && WINEDEBUG=-all "${run[@]}" --program-folder "${pf%[\\/]}" "$work/in.scn" > "$work/out.txt" 2> "$work/err.txt"; echo "rc=$?" >> "$work/out.txt")
  PF="$pf" python3 -c 'import os,sys; sys.stdout.write(open(sys.argv[1],newline="").read().replace("\r\n","\n").replace(os.environ["PF"], "$PF"))' "$work/out.txt" > "$work/got.txt"
  ok=1
  if ! diff -u "$here/scenarios/$name.expected" "$work/got.txt" > "$work/diff.txt"; then ok=0; fi
  if [ -f "$here/scenarios/$name.files" ]; then
    while read -r rel expected; do
      [ -z "$rel" ] && continue
      # $PF in an expected file stands for the program folder, as above
      PF="$pf" python3 -c 'import os,sys; sys.stdout.buffer.write(open(sys.argv[1],"rb").read().replace(b"$PF", os.environ["PF"].encode()))' "$here/scenarios/$expected" > "$work/expected.file"
      if ! cmp -s "$work/$rel" "$work/expected.file"; then ok=0; echo "file $rel differs from $expected" >> "$work/diff.txt"; fi
    done < "$here/scenarios/$name.files"
  fi
  if [ $ok = 1 ]; then pass=$((pass+1)); else fail=$((fail+1)); echo "FAIL $name"; cat "$work/diff.txt"; cat "$work/err.txt"; fi
  rm -rf "$work"
done
echo "scenarios: $pass passed, $fail failed"
[ $fail = 0 ]
