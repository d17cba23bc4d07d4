#!/usr/bin/env python3
"""Checks what names.bat (tests/e2e/names.scn) left after Wine's cmd ran it.

check_names.py PROG ORIGINALS

The stand-ins record each call's command line in UTF-8 in
PROG/tools/calls.log and refuse a file that does not exist. Each job's
created files carry "_" for the "€" the console's page lacks; the script
that is itself a source is named by its short path. Prints one PASS or FAIL
line per check.
"""
import os
import re
import sys

prog, originals = sys.argv[1], sys.argv[2]
media = os.path.join(prog, "media")
pf = "Z:" + prog.replace("/", "\\") + "\\"
failed = 0


def report(ok, text):
    global failed
    failed += 0 if ok else 1
    print(("PASS " if ok else "FAIL ") + text)


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


for name in sorted(os.listdir(originals)):
    report(read(os.path.join(media, name)) == read(os.path.join(originals, name)), "%s is as it was" % name)

calls = [line.split(" ", 3) for line in (read(os.path.join(prog, "tools", "calls.log")) or b"")
         .decode("utf-8", "replace").split("\r\n") if line]
cafe = "café über niño straße _"
nandu = "ñandú 50% off & (x)!"
short = None
for tool, _, _, line in calls:
    # every long folder name on the way is short as well
    found = re.search(r'"([A-Z]:\\[^"]*\\[A-Z0-9_]{1,7}~[A-Z0-9_~]{0,6}\.AVS)"', line)
    if tool == "x264" and found:
        short = found.group(1)
# x264 refuses a missing input, so the output below is there only if it was this file
report(short is not None, "x264 was given a short path for € script.avs: %s" % short)

# (tool, the names the call must hold); one call each, in this order
want = [
    ("x264", [pf + "avs\\" + cafe + ".avi.avs", pf + "media\\" + cafe + ".mp4"]),
    ("bepipe", ["import(^" + pf + "avs\\" + cafe + ".avi.avs^)"]),
    ("neroaacenc", [pf + "media\\" + cafe + ".audio.mp4"]),
    ("mp4box", [pf + "media\\" + cafe + ".audio.mp4", pf + "media\\" + cafe + ".mp4"]),
    ("x264", [pf + "avs\\" + nandu + ".avi.avs", pf + "media\\" + nandu + ".mp4"]),
    ("bepipe", ["import(^" + pf + "avs\\" + nandu + ".avi.avs^)"]),
    ("neroaacenc", [pf + "media\\" + nandu + ".audio.mp4"]),
    ("mkvmerge", [pf + "media\\" + nandu + ".mkv", pf + "media\\" + nandu + ".mp4"]),
    ("x264", [str(short), pf + "media\\_ script.mp4"]),
    ("bepipe", ["import(^%s^)" % short]),
    ("neroaacenc", [pf + "media\\_ script.audio.mp4"]),
    ("mkvmerge", [pf + "media\\_ script.mkv", pf + "media\\_ script.mp4"]),
]
report([c[0] for c in calls] == [w[0] for w in want],
       "the tools ran in order, the size check keeping the first pass: %s" % " ".join(c[0] for c in calls))
for (tool, names), call in zip(want, calls):
    missing = [n for n in names if n not in call[3]]
    report(not missing, "%s got %s" % (tool, names if not missing else "not %s in %s" % (missing, call[3])))

# the log tool wrote where its line said
for path in ("log/café über niño straße _.avi.txt", "log/ñandú 50% off & (x)!.avi.txt"):
    report(os.path.isfile(os.path.join(prog, path)), "%s exists" % path)
# the results are there, and the clean-up deleted every file of the jobs' own but them
results = [cafe + ".mp4", nandu + ".mkv", "_ script.mkv"]
left = sorted(os.listdir(media))
report(left == sorted(os.listdir(originals) + results), "media holds the sources and %s: %s" % (results, left))
sys.exit(1 if failed else 0)
