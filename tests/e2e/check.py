#!/usr/bin/env python3
"""Checks what one end-to-end round (run_e2e.sh) left in WORK/prog.

check.py SCN WORK NAME

The sources in media must still be byte for byte their copies in
WORK/originals. Each stand-in refuses a file that does not exist and
records its call in tools/calls.log as a line "TOOL COMMANDLINE" in UTF-8.
The round's record, those calls in order, then the first and last line of
each file in media and log and the scripts left behind, must be
NAME.expected byte for byte, with $PF for the program folder and $SHORT for
an 8.3 path (with TW_E2E_WRITE set, it is written there instead). The round
with today's tools is judged by ffprobe.
Prints one PASS or FAIL line per check and exits 1 when any failed.
"""
import difflib
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
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


def record(prog):
    pf = "Z:" + prog.replace("/", "\\") + "\\"
    text = (read(os.path.join(prog, "tools", "calls.log")) or b"").decode("utf-8", "replace")
    calls = [line for line in text.split("\r\n") if line]
    # the two ends of a pipe may start in either order
    for i in range(len(calls) - 1):
        if calls[i].startswith("neroaacenc ") and calls[i + 1].startswith("bepipe "):
            calls[i], calls[i + 1] = calls[i + 1], calls[i]
    lines = []
    for folder in ("media", "log"):
        for name in sorted(os.listdir(os.path.join(prog, folder))):
            data = read(os.path.join(prog, folder, name)).decode("cp1252", "replace").strip().split("\r\n")
            lines.append("%s/%s: %s ... %s" % (folder, name, data[0][:100], data[-1][:100]))
    lines += ["left " + name for name in ("temp.bat", "quillon.bat") if os.path.exists(os.path.join(prog, name))]
    text = "\n".join(calls + lines) + "\n"
    return re.sub(r'[A-Z]:\\[^"^ ]*~[^"^ ]*', "$SHORT", text.replace(pf, "$PF"))


def real(prog, work):
    """Today's x264 and mkvmerge made clip.mkv from clip.y4m."""
    log = (read(os.path.join(work, "run.log")) or b"").decode("latin-1")
    report(re.search(r'^X264FoundLabel .*: Current"', log, re.M), "Auto found today's x264")
    clip = os.path.join(prog, "media", "clip.mkv")
    probe = lambda *a: subprocess.run(("ffprobe", "-v", "error") + a + ("-of", "csv=p=0", clip),
                                      capture_output=True, text=True, timeout=60).stdout.split()
    frames = probe("-select_streams", "v:0", "-count_frames", "-show_entries", "stream=nb_read_frames")
    streams = probe("-show_entries", "stream=codec_name")
    report(frames == ["25"] and streams == ["h264", "aac"],
           "clip.mkv holds 25 frames of H.264 and the AAC audio (frames %s, streams %s)" % (frames, streams))
    report(sorted(os.listdir(os.path.join(prog, "media"))) == ["clip.mkv", "clip.y4m"],
           "the clean-up left the source and clip.mkv alone in media")


scn, work, name = sys.argv[1:]
prog, originals = os.path.join(work, "prog"), os.path.join(work, "originals")
for source in sorted(os.listdir(originals)):
    report(read(os.path.join(prog, "media", source)) == read(os.path.join(originals, source)),
           "%s is byte for byte as it was" % source)
if scn == "real":
    real(prog, work)
else:
    golden, got = os.path.join(HERE, name + ".expected"), record(prog)
    if os.environ.get("TW_E2E_WRITE"):
        open(golden, "w", encoding="utf-8", newline="").write(got)
    want = (read(golden) or b"").decode("utf-8")
    diff = difflib.unified_diff(want.split("\n"), got.split("\n"), "expected", "got", lineterm="")
    report(got == want, "the tools' calls and the files left are %s.expected" % name + "\n".join(["", *diff]))
sys.exit(1 if failed else 0)
