#!/usr/bin/env python3
"""Checks what one finished run of the road left in its program folder.

check_run.py PROG BATCH SECOND [PRIORITY]

PROG is the program folder (a POSIX path), BATCH the copy of the job list
that Make BAT wrote before Start, SECOND 1 when the conditional second pass
must have run and 0 when it must not, PRIORITY the class the run script must
have had while every tool ran (empty: only reported). Each tool records its
own class and its parent's: the parent is the script's interpreter, which
the program set to PRIORITY. A tool inherits that class on Windows; Wine
starts every process at normal priority, so there the tools' own classes
are only reported. Prints one PASS, FAIL or INFO line per check and exits 1
when any check failed.
"""
import os
import sys
from itertools import zip_longest

TOOLS = ("x264", "bepipe", "neroaacenc", "mp4box")

prog, batch, second = sys.argv[1], sys.argv[2], sys.argv[3] == "1"
want_priority = sys.argv[4] if len(sys.argv) > 4 else ""
failed = 0


def report(ok, text):
    global failed
    if not ok:
        failed += 1
    print(("PASS " if ok else "FAIL ") + text)


def posix(path):
    """Z:\\a\\b under Wine is /a/b."""
    if len(path) > 1 and path[1] == ":":
        path = path[2:]
    return path.replace("\\", "/")


def split_outside_quotes(text, sep):
    parts, quoted = [""], False
    for c in text:
        quoted ^= c == '"'
        if c == sep and not quoted:
            parts.append("")
        else:
            parts[-1] += c
    return parts


def first_token(text):
    """The program name and the rest of a command, the rest trimmed."""
    text = text.strip()
    end = text.index('"', 1) + 1 if text.startswith('"') else len(text.split(" ", 1)[0])
    return text[:end], text[end:].strip()


def args_of(tail):
    """Unquoted arguments, as the stand-ins' own parsing sees them."""
    return [a.replace('"', "") for a in split_outside_quotes(tail, " ") if a]


def option(args, name):
    return args[args.index(name) + 1] if name in args else None


def read(path, mode="r"):
    try:
        with open(path, mode) as f:
            return f.read()
    except OSError:
        return None


# What the job list asks of each tool, in order: (tool, arguments, log file, conditional)
expected = []
lines = (read(batch, "rb") or b"").decode("latin-1").split("\r\n")
for line in lines[4:]:
    line = line.strip().removeprefix("@")
    conditional = line.startswith("if errorlevel 1 ")
    line = line.removeprefix("if errorlevel 1 ").lstrip("@")
    log = None
    calls = []
    for part in split_outside_quotes(line, "|"):
        program, tail = first_token(part.strip().removesuffix("2>&1"))
        name = program.lower().removesuffix(".exe")
        if name == "tallow":
            log = args_of(tail)[0]
        elif name in TOOLS:
            calls.append([name, tail, None, conditional])
    for call in calls:
        if call[0] == "x264":
            call[2] = log
        expected.append(call)

report(len([c for c in expected if c[0] == "x264"]) > 0, "the job list copy %s holds x264 lines" % batch)
report(any(c[3] for c in expected), "the job list copy holds a conditional second pass")
want = [c for c in expected if second or not c[3]]

# What the stand-ins recorded: tool, own priority class, command line, the
# priority class of the process that started it
recorded = []
for line in (read(os.path.join(prog, "tools", "calls.log"), "rb") or b"").decode("latin-1").split("\r\n"):
    if line:
        tool, priority, parent, cmdline = line.split(" ", 3)
        recorded.append((tool, priority, first_token(cmdline)[1], parent))

for tool in TOOLS:
    w = [c[1] for c in want if c[0] == tool]
    g = [r[2] for r in recorded if r[0] == tool]
    bad = [(i, a, b) for i, (a, b) in enumerate(zip_longest(w, g, fillvalue="(no call)"), 1) if a != b]
    detail = "; call %d: want [%s] got [%s]" % bad[0] if bad else ""
    report(not bad, "%s ran %d times, each with the arguments of its line in the job list%s" % (tool, len(g), detail))

order = [r[0] for r in recorded]
want_order = [c[0] for c in want]
# the two ends of a pipe may start in either order
norm = lambda seq: [t if t not in ("bepipe", "neroaacenc") else "audio" for t in seq]
report(norm(order) == norm(want_order), "the tools ran in the order of the job list")

# the conditional pass
x264_want = [c for c in expected if c[0] == "x264"]
cond = [c for c in x264_want if c[3]]
ran = [r[2] for r in recorded if r[0] == "x264"]
cond_ran = bool(cond) and ran.count(cond[0][1]) > 0 and len(ran) == len(x264_want)
report(cond_ran == second,
       "the conditional second pass %s, as the first output's size %s the range"
       % ("ran" if cond_ran else "did not run", "lies outside" if second else "lies inside"))

# x264 writes its logs through tallow.exe: the last pass of each log is in it
x264_ran = [c for c in want if c[0] == "x264"]
last_call = {}
for n, c in enumerate(x264_ran, 1):
    if c[2]:
        last_call[c[2]] = n
for log, n in last_call.items():
    text = read(posix(log), "rb")
    progress = ["[%d.0%%] %d/30 frames, stand-in call %d" % (p, p * 30 // 100, n) for p in (0, 50, 100)]
    report(text is not None and all(p.encode() in text for p in progress),
           "log %s holds the progress lines of x264 call %d" % (log, n))
    joined = text is not None and ("x264 [info]: stand-in call %d done" % n).encode() in text
    # x264 writes to standard error, which "2>&1|" should join into the pipe
    print(("PASS " if joined else "INFO ") + "log %s %s the standard error line of call %d%s"
          % (log, "holds" if joined else "lacks", n, "" if joined else " (this cmd does not join 2>&1 into a pipe)"))

# each muxed output: the last pass's video, the audio added, the audio file gone
last_output = {}
for n, c in enumerate(x264_ran, 1):
    out = option(args_of(c[1]), "-o")
    if out and out.lower() != "nul":
        last_output[out] = n
for c in want:
    if c[0] != "mp4box":
        continue
    args = args_of(c[1])
    audio, video = option(args, "-add"), args[-1]
    report(not os.path.exists(posix(audio)), "audio file %s deleted after the mux" % audio)
    data = read(posix(video), "rb")
    n = last_output.get(video, 0)
    ok = (data is not None and data.startswith(b"stand-in output of x264 call %d\r\n" % n)
          and data.endswith(("stand-in mp4box added %s\r\n" % audio).encode("latin-1")))
    report(ok, "muxed result %s exists: x264 call %d's output with the audio added" % (video, n))

report(not os.path.exists(os.path.join(prog, "temp.bat")), "temp.bat deleted itself")
report(not os.path.exists(os.path.join(prog, "quillon.bat")), "quillon.bat deleted by the script")

own = sorted(set(r[1] for r in recorded))
parents = sorted(set(r[3] for r in recorded))
if want_priority:
    report(len(recorded) > 0 and parents == [want_priority],
           "every tool was started by a script at priority class %s (seen: %s)" % (want_priority, " ".join(parents)))
    if own == [want_priority]:
        print("PASS every tool ran at priority class %s itself" % want_priority)
    else:
        print("INFO the tools' own priority classes: %s (Wine starts every process at normal priority, 32;"
              " on Windows a child of an idle script is idle)" % " ".join(own))
else:
    print("INFO priority classes recorded by the tools: %s, by the processes that started them: %s"
          % (" ".join(own), " ".join(parents)))

sys.exit(1 if failed else 0)
