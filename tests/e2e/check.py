#!/usr/bin/env python3
"""Checks what one end-to-end round (run_e2e.sh) left in WORK/prog.

check.py SCN WORK NAME

SCN.scn is the round's scenario, NAME its name; the sources in media must
still be byte for byte their copies in WORK/originals. Each stand-in refuses
a file that does not exist and records its call in tools/calls.log as a
line "TOOL PARENTCLASS COMMANDLINE" in UTF-8: the class of the script's
interpreter, which the program set to idle (Wine starts every process at
normal priority, so the tools' own classes tell nothing there). Prints one
PASS or FAIL line per check and exits 1 when any failed.
"""
import os
import re
import subprocess
import sys
from itertools import zip_longest

IDLE = "64"
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


def posix(path):
    """Z:\\a\\b under Wine is /a/b."""
    return (path[2:] if path[1:2] == ":" else path).replace("\\", "/")


def calls(prog):
    """The stand-ins' records, in order: [tool, parent's class, command line]."""
    text = (read(os.path.join(prog, "tools", "calls.log")) or b"").decode("utf-8", "replace")
    return [line.split(" ", 2) for line in text.split("\r\n") if line]


def media_holds(prog, results):
    """Media holds the sources and RESULTS: the clean-up deleted every other file of the jobs' own."""
    left = sorted(os.listdir(os.path.join(prog, "media")))
    report(left == sorted(os.listdir(originals) + results), "media holds the sources and %s: %s" % (results, left))


def split_outside_quotes(text, sep):
    parts, quoted = [""], False
    for c in text:
        quoted ^= c == '"'
        if c == sep and not quoted:
            parts.append("")
        else:
            parts[-1] += c
    return parts


def program_and_rest(command):
    """The program of a command and the rest, trimmed."""
    text = command.strip()
    end = text.index('"', 1) + 1 if text.startswith('"') else len(text.split(" ", 1)[0])
    return text[:end], text[end:].strip()


def args_of(rest):
    """Unquoted arguments, as the stand-ins' own parsing sees them."""
    return [a.replace('"', "") for a in split_outside_quotes(rest, " ") if a]


def option(args, name):
    return args[args.index(name) + 1] if name in args else None


def road(prog, work, name):
    """The road: Make BAT wrote road.bat before Start ran the jobs; in round
    "outside" the conditional pass's first output lies outside its size
    range, so the second pass runs."""
    tools = ("x264", "bepipe", "neroaacenc", "mp4box")
    batch, second = os.path.join(prog, "road.bat"), name == "outside"
    # what the job list asks of each tool, in order: (tool, arguments, its log file, conditional)
    expected = []
    for line in (read(batch) or b"").decode("latin-1").split("\r\n")[4:]:
        line = line.strip().removeprefix("@")
        conditional = line.startswith("if errorlevel 1 ")
        line = line.removeprefix("if errorlevel 1 ").lstrip("@")
        parts = [program_and_rest(p.strip().removesuffix("2>&1")) for p in split_outside_quotes(line, "|")]
        names = [program.lower().removesuffix(".exe") for program, _ in parts]
        log = args_of(parts[names.index("tallow")][1])[0] if "tallow" in names else None
        expected += [(n, rest, log, conditional) for n, (_, rest) in zip(names, parts) if n in tools]
    report(any(c[0] == "x264" for c in expected), "the job list copy %s holds x264 lines" % batch)
    report(any(c[3] for c in expected), "the job list copy holds a conditional second pass")
    want = [c for c in expected if second or not c[3]]

    recorded = [(tool, parent, program_and_rest(line)[1]) for tool, parent, line in calls(prog)]
    # this also tells whether the conditional second pass ran
    for tool in tools:
        w = [c[1] for c in want if c[0] == tool]
        g = [r[2] for r in recorded if r[0] == tool]
        bad = [(i, a, b) for i, (a, b) in enumerate(zip_longest(w, g, fillvalue="(no call)"), 1) if a != b]
        detail = "; call %d: want [%s] got [%s]" % bad[0] if bad else ""
        report(not bad, "%s ran %d times, each with the arguments of its line in the job list%s"
               % (tool, len(g), detail))
    # the two ends of a pipe may start in either order
    norm = lambda seq: ["audio" if t in ("bepipe", "neroaacenc") else t for t in seq]
    report(norm(r[0] for r in recorded) == norm(c[0] for c in want),
           "the tools ran in the order of the job list, %s the conditional second pass"
           % ("with" if second else "without"))

    # x264 writes its logs through tallow.exe: the last pass of each log is in it
    x264_ran = [c for c in want if c[0] == "x264"]
    for log, n in {c[2]: n for n, c in enumerate(x264_ran, 1) if c[2]}.items():
        text = read(posix(log)) or b""
        progress = [b"[%d.0%%] %d/30 frames, stand-in call %d" % (p, p * 30 // 100, n) for p in (0, 50, 100)]
        report(all(p in text for p in progress), "log %s holds the progress lines of x264 call %d" % (log, n))

    # each muxed output: the last pass's video, the audio added, the audio file gone
    last_output = {option(args_of(c[1]), "-o"): n for n, c in enumerate(x264_ran, 1)}
    for c in want:
        if c[0] == "mp4box":
            args = args_of(c[1])
            audio, video = option(args, "-add"), args[-1]
            report(not os.path.exists(posix(audio)), "audio file %s deleted after the mux" % audio)
            data = read(posix(video)) or b""
            n = last_output.get(video, 0)
            report(data.startswith(b"stand-in output of x264 call %d\r\n" % n)
                   and data.endswith(("stand-in mp4box added %s\r\n" % audio).encode()),
                   "muxed result %s exists: x264 call %d's output with the audio added" % (video, n))

    report(not os.path.exists(os.path.join(prog, "temp.bat")), "temp.bat deleted itself")
    report(not os.path.exists(os.path.join(prog, "quillon.bat")), "quillon.bat deleted by the script")
    parents = sorted(set(r[1] for r in recorded))
    report(parents == [IDLE], "every tool was started by a script at priority class %s (seen: %s)"
           % (IDLE, " ".join(parents)))


def safe(prog, work, name):
    """The mkvmerge stand-in ended its three calls with 0 (clip), 2 (film: an
    error) and 1 (up^arrow: warnings). An older film.mux.mkv, the name film's
    mux would take first, made the film job take the names film.x264.*."""
    media = os.path.join(prog, "media")
    for target in ("clip.x264.mkv", "up^arrow.mkv"):
        data = read(os.path.join(media, target)) or b""
        report(data.startswith(b"stand-in output of x264") and data.endswith(b"stand-in mkvmerge\r\n"),
               "%s is the muxed result" % target)
    # the video and audio of the failed mux are kept, the others deleted
    media_holds(prog, ["clip.x264.mkv", "film.x264.mp4", "film.x264.audio.mp4", "up^arrow.mkv"])
    report(any(tool == "bepipe" and "avs\\up_arrow.avi.avs^)" in line for tool, _, line in calls(prog)),
           "bepipe read the wrapper of up^arrow.avi, whose name has no caret")


def names(prog, work, name):
    """Each job's created files carry "_" for the "€" the console's page
    lacks; the script that is itself a source is named by its short path."""
    pf = "Z:" + prog.replace("/", "\\") + "\\"
    done = calls(prog)
    # every long folder name on the way is short as well
    found = [m.group(1) for tool, _, line in done
             if tool == "x264" and (m := re.search(r'"([A-Z]:\\[^"]*\\[A-Z0-9_]{1,7}~[A-Z0-9_~]{0,6}\.AVS)"', line))]
    short = found[-1] if found else None
    # x264 refuses a missing input, so the output below is there only if it was this file
    report(short is not None, "x264 was given a short path for € script.avs: %s" % short)

    cafe, nandu = "café über niño straße _", "ñandú 50% off & (x)!"
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
    report([c[0] for c in done] == [w[0] for w in want],
           "the tools ran in order, the size check keeping the first pass: %s" % " ".join(c[0] for c in done))
    for (tool, paths), call in zip(want, done):
        missing = [p for p in paths if p not in call[2]]
        report(not missing, "%s got %s" % (tool, paths if not missing else "not %s in %s" % (missing, call[2])))

    # the log tool wrote where its line said
    for path in ("log/café über niño straße _.avi.txt", "log/ñandú 50% off & (x)!.avi.txt"):
        report(os.path.isfile(os.path.join(prog, path)), "%s exists" % path)
    media_holds(prog, [cafe + ".mp4", nandu + ".mkv", "_ script.mkv"])


def real(prog, work, name):
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
    media_holds(prog, ["clip.mkv"])


scn, work, name = sys.argv[1:]
prog, originals = os.path.join(work, "prog"), os.path.join(work, "originals")
for source in sorted(os.listdir(originals)):
    report(read(os.path.join(prog, "media", source)) == read(os.path.join(originals, source)),
           "%s is byte for byte as it was" % source)
{"road": road, "safe": safe, "names": names, "real": real}[scn](prog, work, name)
sys.exit(1 if failed else 0)
