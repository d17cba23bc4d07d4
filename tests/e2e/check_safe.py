#!/usr/bin/env python3
"""Checks what safe.bat (tests/e2e/safe.scn) left after Wine's cmd ran it.

check_safe.py PROG ORIGINALS

PROG is the program folder, ORIGINALS a folder with copies of the sources
in PROG/media as they were before the run. The mkvmerge stand-in ended its
three calls with 0 (clip), 2 (film: an error, beside an older film.mux.mkv)
and 1 (up^arrow: warnings). Prints one PASS or FAIL line per check.
"""
import os
import sys

prog, originals = sys.argv[1], sys.argv[2]
media = os.path.join(prog, "media")
failed = 0


def report(ok, text):
    global failed
    failed += 0 if ok else 1
    print(("PASS " if ok else "FAIL ") + text)


def read(name, folder=media):
    try:
        with open(os.path.join(folder, name), "rb") as f:
            return f.read()
    except OSError:
        return None


for name in sorted(os.listdir(originals)):
    report(read(name) == read(name, originals), "%s is byte for byte as it was" % name)

# (target, video, audio, whether the mux worked, what the target must begin with)
for target, video, audio, worked, head in (
        ("clip.x264.mkv", "clip.x264.mp4", "clip.x264.audio.mp4", True, b"stand-in output of x264"),
        ("film.mux.mkv", "film.mp4", "film.audio.mp4", False, b"older mux"),
        ("up^arrow.mkv", "up^arrow.mp4", "up^arrow.audio.mp4", True, b"stand-in output of x264")):
    data = read(target)
    report(data is not None and data.startswith(head) and data.endswith(b"stand-in mkvmerge\r\n") == worked,
           "%s %s" % (target, "is the muxed result" if worked else "is the older file, untouched"))
    kept = [name for name in (video, audio) if read(name) is not None]
    report(kept == ([] if worked else [video, audio]),
           "%s and %s %s" % (video, audio, "deleted after the mux" if worked else "kept after the failed mux"))

calls = (read("calls.log", os.path.join(prog, "tools")) or b"").decode("latin-1")
wrapper = "avs\\up_arrow.avi.avs^)"
report(any(line.startswith("bepipe ") and wrapper in line for line in calls.split("\r\n")),
       "bepipe read the wrapper of up^arrow.avi, whose name has no caret")
sys.exit(1 if failed else 0)
