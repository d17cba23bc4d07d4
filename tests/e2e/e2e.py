#!/usr/bin/env python3
"""The end-to-end rounds under Wine (run_e2e.sh gives them a display).

usage: e2e.py BUILD_DIR [--write]

Each round gets a fresh program folder: the program, its tools, includes,
and in tools\\ (found only through quillon.bat's search path) the stand-ins
of standin.cpp, which refuse a file that is not there, so a wrong name
shows; standin.cfg holds their answers, ROUND.setup the sources. The
scenario (UTF-8, $PF the program folder) goes over in the ANSI page, 1252.
"cmd": the headless driver makes NAME.bat and Wine's cmd runs it; "window":
the real window must write the same NAME.bat first; "start": the window
makes the list and presses Start. The sources must stay as they were, and
the record (the stand-ins' calls "TOOL COMMANDLINE" in order, the first and
last line of each file in media and log, the scripts left) must be
ROUND.expected, $SHORT for an 8.3 path (--write writes it). Today's x264 and
mkvmerge, behind adapters, are judged by ffprobe.
"""
import difflib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

HERE = os.path.dirname(os.path.abspath(__file__))
ROUNDS = [  # round, scenario, the stand-ins' answers, how it is played
    ("safe", "safe", "mkvmerge 0 2 1", "cmd"),  # mkvmerge ends with 0, 2 (an error), 1 (warnings)
    ("names", "names", "x264 1500000", "window"),  # inside the size check's range: no second pass
    # x264's output sizes by call: call 4 is the conditional pass's first pass, kept by 1..2 MB
    ("inside", "road", "x264 1000 2000 3000000 1500000 2500000", "start"),
    ("outside", "road", "x264 1000 2000 3000000 3000000 1500000", "start"),
    ("real", "real", "", "start"),
]
failed = 0


def report(ok, text):
    global failed
    failed += 0 if ok else 1
    print(("PASS " if ok else "FAIL ") + text)


def wine(args, cwd, limit, log):
    """Runs a Windows program under Wine, its output into `log`; its exit code, 124 when it overran."""
    with open(log, "ab") as out:
        return subprocess.run(["timeout", "-k", "5", str(limit), "wine"] + args, cwd=cwd, stdout=out, stderr=out,
                              stdin=subprocess.DEVNULL).returncode


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def record(prog):
    pf = winpath(prog) + "\\"
    calls = [c for c in Path(prog, "tools", "calls.log").read_bytes().decode("utf-8", "replace").split("\r\n") if c]
    for i in range(len(calls) - 1):  # the two ends of a pipe may start in either order
        if calls[i].startswith("neroaacenc ") and calls[i + 1].startswith("bepipe "):
            calls[i], calls[i + 1] = calls[i + 1], calls[i]
    for folder in ("media", "log"):
        for name in sorted(os.listdir(os.path.join(prog, folder))):
            data = Path(prog, folder, name).read_bytes().decode("cp1252", "replace").strip().split("\r\n")
            calls.append("%s/%s: %s ... %s" % (folder, name, data[0][:100], data[-1][:100]))
    calls += ["left " + name for name in ("temp.bat", "quillon.bat") if os.path.exists(os.path.join(prog, name))]
    return re.sub(r'[A-Z]:\\[^"^ ]*~[^"^ ]*', "$SHORT", "\n".join(calls).replace(pf, "$PF") + "\n")


def judge_real(prog, log):
    report(re.search(r'^X264FoundLabel .*: Current"', Path(log).read_text("latin-1"), re.M), "Auto found today's x264")
    clip = os.path.join(prog, "media", "clip.mkv")
    probe = lambda *a: subprocess.run(("ffprobe", "-v", "error") + a + ("-of", "csv=p=0", clip),
                                      capture_output=True, text=True, timeout=60).stdout.split()
    frames = probe("-select_streams", "v:0", "-count_frames", "-show_entries", "stream=nb_read_frames")
    streams = probe("-show_entries", "stream=codec_name")
    report(frames == ["25"] and streams == ["h264", "aac"],
           "clip.mkv holds 25 frames of H.264 and the AAC audio (frames %s, streams %s)" % (frames, streams))
    report(sorted(os.listdir(os.path.join(prog, "media"))) == ["clip.mkv", "clip.y4m"],
           "the clean-up left the source and clip.mkv alone in media")


def play(build, name, scenario, answers, how, write):
    print("== e2e round: " + name)
    failed_before = failed
    work = tempfile.mkdtemp()
    prog, log, scn = work + "/prog", work + "/run.log", "%s/%s.scn" % (work, scenario)
    pf = winpath(prog) + "\\"
    shutil.copytree(build + "/tests/e2e/standins", prog + "/tools")
    shutil.copytree(HERE + "/../../dist-files/avsinc", prog + "/avsinc")
    for exe in ("platform/win32/tarnwick", "tallow", "brindle", "marram", "quillon", "fathom"):
        shutil.copy(os.path.join(build, exe + ".exe"), prog)
    Path(prog, "tools", "standin.cfg").write_text(answers + "\r\n", newline="")
    subprocess.run(["bash", "%s/%s.setup" % (HERE, scenario)], cwd=prog, check=True,
                   env=dict(os.environ, TW_BUILD=build))
    shutil.copytree(prog + "/media", work + "/originals")
    Path(scn).write_text(Path(HERE, scenario + ".scn").read_text("utf-8").replace("$PF", pf), "cp1252", newline="")
    gui = [build + "/tests/gui/gui_check.exe", "play", pf + "tarnwick.exe", winpath(scn)]
    if how == "start":
        report(wine(gui, prog, 300, log) == 0, "the window played %s.scn" % scenario)
        # the run has ended once the script deleted itself and the tools' record stays still
        last = None
        for _ in range(300):
            now = os.stat(prog + "/tools/calls.log").st_mtime_ns if os.path.exists(prog + "/tools/calls.log") else 0
            if not os.path.exists(prog + "/temp.bat") and now == last:
                break
            last = now
            time.sleep(0.2)
        else:
            report(False, "the run ended within 60 s")
    else:
        bat = "%s/%s.bat" % (prog, scenario)
        report(wine([build + "/tarnwick-headless.exe", "--program-folder", pf[:-1], winpath(scn)], work, 120, log) == 0
               and os.path.exists(bat), "the headless driver made %s.bat" % scenario)
        if how == "window":
            os.rename(bat, work + "/headless.bat")
            # the end of the scenario left the job list's copy, which the window would restore
            Path(prog, "tarnwick.jobs").unlink(missing_ok=True)
            wine(gui, work, 300, log)
            report(Path(bat).read_bytes() == Path(work, "headless.bat").read_bytes(),
                   "the window wrote the same %s.bat as the headless driver" % scenario)
        # the script's exit code is that of its last line; only the time limit counts
        report(wine(["cmd", "/c", scenario + ".bat"], prog, 120, log) != 124, "cmd ran %s.bat to its end" % scenario)
    for source in sorted(os.listdir(work + "/originals")):
        report(Path(work, "originals", source).read_bytes() == Path(prog, "media", source).read_bytes(),
               "%s is byte for byte as it was" % source)
    if name == "real":
        judge_real(prog, log)
    else:
        golden, got = Path(HERE, name + ".expected"), record(prog)
        if write:
            golden.write_text(got, "utf-8", newline="")
        want = golden.read_text("utf-8")
        diff = difflib.unified_diff(want.split("\n"), got.split("\n"), "expected", "got", lineterm="")
        report(got == want, "the tools' calls and the files left are %s.expected" % name + "\n".join(["", *diff]))
    if failed > failed_before:
        print("-- output of the run:\n" + Path(log).read_text("latin-1"))
    shutil.rmtree(work, ignore_errors=True)


def main():
    build, write = os.path.abspath(sys.argv[1]), "--write" in sys.argv
    for name, scenario, answers, how in ROUNDS:
        if name != "real" or all(os.access("/usr/bin/" + t, os.X_OK) for t in "x264 mkvmerge ffmpeg ffprobe".split()):
            play(build, name, scenario, answers, how, write)
        else:
            print("SKIP the real round: it needs x264, mkvmerge, ffmpeg and ffprobe in /usr/bin")
    print("e2e: " + ("FAILED" if failed else "passed"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
