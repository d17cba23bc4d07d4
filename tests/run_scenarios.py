#!/usr/bin/env python3
"""Runs every tests/scenarios/*.scn through tarnwick-headless in a fresh
program folder and compares its output with NAME.expected.

usage: run_scenarios.py [wine] TARNWICK-HEADLESS

In both files $PF stands for the program folder (with its separator), so
one expected file serves the native and the Wine build. A NAME.setup
script may prepare the program folder first. A NAME.files file lists
"PATH-IN-WORK-FOLDER EXPECTED-FILE" pairs compared byte for byte after the
run, $PF in the expected file replaced by the program folder. NAME.expected
holds what the driver prints, its exit code and its standard error.
"""
import difflib
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scenarios")
LIMIT = 120  # seconds one scenario may take, Wine's start included


def run_one(runner, wine, name, work):
    prog, cwd = os.path.join(work, "prog"), os.path.join(work, "cwd")
    os.makedirs(prog)
    os.makedirs(cwd)
    pf = ("Z:" + prog.replace("/", "\\") + "\\") if wine else prog + "/"
    setup = os.path.join(HERE, name + ".setup")
    if os.path.exists(setup):
        subprocess.run(["bash", setup], cwd=prog, check=True, timeout=LIMIT)
    # latin-1 passes every byte through unchanged
    with open(os.path.join(HERE, name + ".scn"), encoding="latin-1", newline="") as f:
        scenario = f.read().replace("$PF", pf)
    with open(os.path.join(work, "in.scn"), "w", encoding="latin-1", newline="") as f:
        f.write(scenario)
    command = runner + ["--program-folder", pf[:-1], os.path.join(work, "in.scn")]
    try:
        r = subprocess.run(command, cwd=cwd, capture_output=True, timeout=LIMIT,
                           env=dict(os.environ, WINEDEBUG="-all"))
        # a line that cannot be run is named in one line on standard error
        got = r.stdout.decode("latin-1") + "rc=%d\n" % r.returncode + r.stderr.decode("latin-1")
    except subprocess.TimeoutExpired:
        got = "did not end within %d s\n" % LIMIT
    got = got.replace("\r\n", "\n").replace(pf, "$PF")
    with open(os.path.join(HERE, name + ".expected"), encoding="latin-1", newline="") as f:
        expected = f.read()
    problems = []
    if got != expected:
        problems = list(difflib.unified_diff(expected.splitlines(), got.splitlines(), name + ".expected", "output",
                                             lineterm="")) or ["the output differs in its line ends"]
    files = os.path.join(HERE, name + ".files")
    if os.path.exists(files):
        for pair in open(files).read().split("\n"):
            if not pair.strip():
                continue
            rel, expected_file = pair.split()
            with open(os.path.join(HERE, expected_file), "rb") as f:
                want = f.read().replace(b"$PF", pf.encode("latin-1"))
            path = os.path.join(work, rel)
            if not os.path.exists(path) or open(path, "rb").read() != want:
                problems.append("file %s differs from %s" % (rel, expected_file))
    return problems


def main():
    runner = sys.argv[1:]
    if not runner:
        print(__doc__)
        return 2
    wine = runner[0] == "wine"
    # the driver runs in a folder of its own, so its path must be absolute
    runner[-1] = os.path.abspath(runner[-1])
    passed = failed = 0
    for scn in sorted(os.listdir(HERE)):
        if not scn.endswith(".scn"):
            continue
        name = scn[:-4]
        work = tempfile.mkdtemp()
        try:
            problems = run_one(runner, wine, name, work)
        finally:
            shutil.rmtree(work, ignore_errors=True)
        if problems:
            failed += 1
            print("FAIL %s\n%s" % (name, "\n".join(problems)))
        else:
            passed += 1
    print("scenarios: %d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
