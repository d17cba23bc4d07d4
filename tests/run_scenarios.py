#!/usr/bin/env python3
"""Plays scenarios, each in a fresh program folder ($PF in a scenario stands
for it, with its separator; a NAME.setup script beside the scenario prepares
it, finding the build folder in $TW_BUILD).

run_scenarios.py [wine] TARNWICK-HEADLESS [NAME...]
    every tests/scenarios/*.scn (or those named): what the driver prints, its
    exit code and its standard error must be NAME.expected (written when
    there is none); NAME.files lists "PATH-IN-WORK-FOLDER EXPECTED-FILE"
    pairs compared byte for byte ("-": the file must not be there); the
    words of NAME.args go after the scenario, as the program's arguments.
run_scenarios.py --window [--package ZIP] BUILD_DIR SCENARIO...
    each scenario under Wine through tarnwick-headless.exe and through the
    real window (gui_check.exe play, fathom.exe beside tarnwick.exe): what
    they print, a dialog reduced to the title and message the real one
    shows, and every file they leave must agree. With --package the program
    folder starts as the unpacked release zip, whose tarnwick.exe is played.
"""
import difflib
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scenarios")
LIMIT = 120  # seconds one run may take, Wine's start included
# A message's text may run over several lines.
DIALOG = re.compile(r'^dialog (\w+) title="(.*?)" (text=".*?") filter=".*?" preset=".*?"$', re.M | re.S)
# A file dialog without a title of its own shows the system's.
DEFAULT_TITLES = {"open": "Open", "files": "Open", "save": "Save As"}


def prepare(work, scenario, wine, build="", package=None, copy=()):
    """A fresh WORK/prog (the program folder) and WORK/cwd, the scenario in
    WORK/in.scn with $PF put in; the program folder as $PF stands for it."""
    prog = os.path.join(work, "prog")
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(package, prog) if package else os.makedirs(prog)
    os.makedirs(os.path.join(work, "cwd"))
    for exe in copy:
        shutil.copy(exe, prog)
    setup = scenario[:-4] + ".setup"
    if os.path.exists(setup):
        subprocess.run(["bash", setup], cwd=prog, check=True, timeout=LIMIT, env=dict(os.environ, TW_BUILD=build))
    pf = ("Z:" + prog.replace("/", "\\") + "\\") if wine else prog + "/"
    # latin-1 passes every byte through unchanged
    text = pathlib.Path(scenario).read_bytes().decode("latin-1").replace("$PF", pf)
    pathlib.Path(work, "in.scn").write_bytes(text.encode("latin-1"))
    return pf


def arguments(scenario, pf):
    """The words of NAME.args with $PF put in: the names on the program's command line."""
    args = scenario[:-4] + ".args"
    return pathlib.Path(args).read_text().replace("$PF", pf).split() if os.path.exists(args) else []


def run(command, work, pf):
    """What the run printed with its exit code, and its standard error; $PF for the program folder."""
    try:
        r = subprocess.run(command, cwd=os.path.join(work, "cwd"), capture_output=True, timeout=LIMIT,
                           env=dict(os.environ, WINEDEBUG="-all"))
        out, err = r.stdout.decode("latin-1") + "rc=%d\n" % r.returncode, r.stderr.decode("latin-1")
    except subprocess.TimeoutExpired:
        out, err = "did not end within %d s\n" % LIMIT, ""
    # A text's own CR LF comes out of the Windows build's text mode as CR CR LF.
    return tuple(re.sub("\r+\n", "\n", text).replace(pf, "$PF") for text in (out, err))


def differs(want, got, names):
    return list(difflib.unified_diff(want.split("\n"), got.split("\n"), *names, lineterm="")) or (
        ["the output differs in its line ends"] if want != got else [])


def golden(runner, wine, scenario, work):
    pf = prepare(work, scenario, wine)
    got = "".join(run(runner + ["--program-folder", pf[:-1], os.path.join(work, "in.scn")] + arguments(scenario, pf),
                      work, pf))
    name, expected = scenario[:-4], pathlib.Path(scenario[:-4] + ".expected")
    if not expected.exists():  # a new scenario: its golden is written, to be read before it is kept
        expected.write_bytes(got.encode("latin-1"))
        return ["no %s yet: written from this run; read it" % expected.name]
    problems = differs(expected.read_bytes().decode("latin-1"), got, (expected.name, "output"))
    if os.path.exists(name + ".files"):
        for rel, expected_file in (line.split() for line in open(name + ".files") if line.strip()):
            want = None if expected_file == "-" else pathlib.Path(HERE, expected_file).read_bytes().replace(
                b"$PF", pf.encode("latin-1"))
            path = pathlib.Path(work, rel)
            if (path.read_bytes() if path.exists() else None) != want:
                problems.append("file %s differs from %s" % (rel, expected_file))
    return problems


def reduced(text):
    return DIALOG.sub(lambda m: 'dialog title="%s" %s' % (m.group(2) or DEFAULT_TITLES.get(m.group(1), ""),
                                                          m.group(3)), text)


def files_of(work):
    root = pathlib.Path(work)
    return {str(p.relative_to(root)): p.read_bytes() for p in root.rglob("*")
            if p.is_file() and p.suffix != ".exe" and p.name != "in.scn"}


def window(build, package, scenario, work):
    headless = os.path.join(build, "tarnwick-headless.exe")
    program = [os.path.join(build, "platform", "win32", "tarnwick.exe"), os.path.join(build, "fathom.exe")]
    pf = prepare(work, scenario, True, build, package)
    scn = ("Z:" + work + "/in.scn").replace("/", "\\")
    h_out, h_err = run(["wine", headless, "--program-folder", pf[:-1], scn] + arguments(scenario, pf), work, pf)
    h_files = files_of(work)
    for attempt in (1, 2):
        pf = prepare(work, scenario, True, build, package, [] if package else program)
        w_out, w_err = run(["wine", os.path.join(build, "tests", "gui", "gui_check.exe"), "play", pf + "tarnwick.exe",
                            scn] + arguments(scenario, pf), work, pf)
        # Now and then the driver ends at once, with code 1 and not a word: that run is made again.
        if w_out != "rc=1\n" or attempt == 2:
            break
        print("again %s: the window run ended at once (%s)" % (os.path.basename(scenario), w_out.strip()))
    w_files = files_of(work)
    problems = differs(reduced(h_out), reduced(w_out), ("headless", "window"))
    for rel in sorted(set(h_files) | set(w_files)):
        if h_files.get(rel) != w_files.get(rel):
            sizes = tuple("%d bytes" % len(f[rel]) if rel in f else "no file" for f in (h_files, w_files))
            problems.append("%s differs (headless: %s, window: %s)" % ((rel,) + sizes))
    return problems + (["stderr headless: " + h_err.strip(), "stderr window: " + w_err.strip()] if problems else [])


def main():
    args = sys.argv[1:]
    if not args:
        print(__doc__)
        return 2
    temp = tempfile.mkdtemp()
    if args[0] == "--window":
        package = None
        if args[1] == "--package":
            subprocess.run(["unzip", "-q", os.path.abspath(args[2]), "-d", temp + "/zip"], check=True)
            (folder,) = os.listdir(temp + "/zip")  # the zip holds one folder, the program folder
            package, args = os.path.join(temp, "zip", folder), args[2:]
        build, scenarios = os.path.abspath(args[1]), args[2:]
        play = lambda scenario, work: window(build, package, scenario, work)
    else:
        # the driver runs in a folder of its own, so its path must be absolute
        wine, names = args[0] == "wine", args[2:] if args[0] == "wine" else args[1:]
        runner = ["wine"] * wine + [os.path.abspath(args[int(wine)])]
        scenarios = sorted(os.path.join(HERE, n) for n in os.listdir(HERE) if n.endswith(".scn") and
                           (not names or n[:-4] in names))
        play = lambda scenario, work: golden(runner, wine, scenario, work)
    failed = 0
    for scenario in scenarios:
        problems = play(os.path.abspath(scenario), os.path.join(temp, "w"))
        if problems:
            failed += 1
            print("FAIL %s\n%s" % (os.path.basename(scenario), "\n".join(problems)))
    shutil.rmtree(temp, ignore_errors=True)
    print("scenarios: %d passed, %d failed" % (len(scenarios) - failed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
