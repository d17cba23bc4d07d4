#!/usr/bin/env python3
"""Plays scenarios twice from the same folders: through tarnwick-headless.exe
and through the real tarnwick.exe window (driven by gui_check.exe), both
under Wine, and compares what they print and every file they leave behind,
byte for byte.

usage: compare_window.py [--package ZIP] BUILD_DIR SCENARIO...

$PF in a scenario stands for the program folder with its separator. A
NAME.setup script beside a scenario prepares the program folder first; it
finds the build folder in $TW_BUILD. The window's program folder holds
fathom.exe beside tarnwick.exe, as the release does.
Lines the window cannot print the same way are reduced on both sides: a
dialog line keeps the title and the message the real dialog shows.

With --package the program folder of both runs starts as the unpacked
release zip, and the window run starts the tarnwick.exe from the zip.
"""
import difflib
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

DIALOG = re.compile(r'^dialog (\w+) title="(.*)" (text=".*") filter=".*" preset=".*"$')
# A file dialog without a title of its own shows the system's.
DEFAULT_TITLES = {"open": "Open", "files": "Open", "save": "Save As"}


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def normalise(text):
    lines = []
    for line in text.replace("\r\n", "\n").split("\n"):
        m = DIALOG.match(line)
        if m:
            title = m.group(2) or DEFAULT_TITLES.get(m.group(1), "")
            line = 'dialog title="%s" %s' % (title, m.group(3))
        lines.append(line)
    return "\n".join(lines)


def snapshot(root):
    files = {os.path.relpath(p, root): p for p in pathlib.Path(root).rglob("*") if p.is_file()}
    return {rel: p.read_bytes() for rel, p in files.items() if not rel.endswith(".exe") and rel != "out.txt"}


def prepare(work, scenario, program_exe, package, build_folder):
    prog = os.path.join(work, "prog")
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(package, prog) if package else os.makedirs(prog)
    os.makedirs(os.path.join(work, "cwd"))
    for exe in [] if package else program_exe or []:
        shutil.copy(exe, prog)
    setup = os.path.abspath(scenario[:-4] + ".setup")
    if os.path.exists(setup):
        subprocess.run(["bash", setup], cwd=prog, check=True, timeout=60,
                       env=dict(os.environ, TW_BUILD=build_folder))
    pf = winpath(prog) + "\\"
    with open(scenario, newline="") as f:
        text = f.read().replace("$PF", pf)
    with open(os.path.join(work, "in.scn"), "w", newline="") as f:
        f.write(text)
    return pf


def run(command, work):
    try:
        r = subprocess.run(command, cwd=os.path.join(work, "cwd"), capture_output=True, timeout=120)
    except subprocess.TimeoutExpired:
        return "did not end within 120 s\n", ""
    out = r.stdout.decode("cp1252") + "rc=%d\n" % r.returncode
    return out, r.stderr.decode("cp1252", "replace")


def unpack(zip_path, into):
    subprocess.run(["unzip", "-q", zip_path, "-d", into], check=True)
    # the zip holds one folder, the program folder
    (folder,) = os.listdir(into)
    return os.path.join(into, folder)


def main():
    args = sys.argv[1:]
    package = None
    if args[0] == "--package":
        package = unpack(os.path.abspath(args[1]), tempfile.mkdtemp())
        args = args[2:]
    build = os.path.abspath(args[0])
    headless = os.path.join(build, "tarnwick-headless.exe")
    window = [os.path.join(build, "platform", "win32", "tarnwick.exe"), os.path.join(build, "fathom.exe")]
    driver = os.path.join(build, "tests", "gui", "gui_check.exe")
    work = os.path.join(tempfile.mkdtemp(), "w")
    passed = failed = 0
    for scenario in args[1:]:
        name = os.path.basename(scenario)[:-4]
        pf = prepare(work, scenario, None, package, build)
        h_out, h_err = run(["wine", headless, "--program-folder", pf.rstrip("\\"), winpath(work + "/in.scn")], work)
        h_files = snapshot(work)
        for attempt in (1, 2):
            pf = prepare(work, scenario, window, package, build)
            w_out, w_err = run(["wine", driver, "play", pf + "tarnwick.exe", winpath(work + "/in.scn")], work)
            # Now and then the driver ends at once, with code 1 and not a word: that run is made again.
            if w_out.count("\n") > 1 or w_out == "rc=0\n" or w_err.strip() or attempt == 2:
                break
            print("again %s: the window run ended at once (%s)" % (name, w_out.strip()))
        w_files = snapshot(work)
        problems = []
        if normalise(h_out) != normalise(w_out):
            diff = difflib.unified_diff(normalise(h_out).split("\n"), normalise(w_out).split("\n"),
                                        "headless", "window", lineterm="")
            problems.append("output differs:\n" + "\n".join(diff))
        for rel in sorted(set(h_files) | set(w_files)):
            if h_files.get(rel) != w_files.get(rel):
                sizes = tuple("%d bytes" % len(f[rel]) if rel in f else "no file" for f in (h_files, w_files))
                problems.append("%s differs (headless: %s, window: %s)" % ((rel,) + sizes))
        if problems:
            failed += 1
            print("FAIL %s\n  %s" % (name, "\n  ".join(problems)))
            if h_err.strip() or w_err.strip():
                print("  stderr headless: %s\n  stderr window: %s" % (h_err.strip(), w_err.strip()))
        else:
            passed += 1
            print("same %s (%d files)" % (name, len(w_files)))
    shutil.rmtree(os.path.dirname(work), ignore_errors=True)
    if package:
        shutil.rmtree(os.path.dirname(package), ignore_errors=True)
    print("window scenarios: %d agree, %d differ" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
