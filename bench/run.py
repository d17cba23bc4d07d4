#!/usr/bin/env python3
"""Runs every benchmark, each figure side by side with its floor in the same
run, and prints one table. Called by bench/run.sh, which builds the drivers.

Each figure and its floor are measured in turns, ROUNDS times, and the
median of each is shown. Scenario files and program folders are made
afresh under WORK.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(TOP, "tests"))
import make_avi  # noqa: E402
JOB_LINES = 6  # "@echo.", three header lines, one pass line, "@echo+"


def fresh_folder(path, with_include=True):
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    if with_include:
        os.makedirs(os.path.join(path, "avsinc"))
        shutil.copy(os.path.join(TOP, "dist-files", "avsinc", "default.avs"), os.path.join(path, "avsinc"))


def write(path, text):
    with open(path, "w", newline="") as f:
        f.write(text)


def job_list_lines(lines):
    """Scenario lines that fill the job list with about `lines` lines: jobs
    added one by one from .avs inputs, six lines each, and empty two-line
    blocks for the rest."""
    out = []
    jobs = lines // JOB_LINES
    for i in range(jobs):
        out.append("answer open D:\\in\\clip%06d.avs" % i)
        out.append("click InputFileBrowseButton")
        out.append("click AddButton")
    for _ in range((lines - jobs * JOB_LINES) // 2):
        out.append("click AddButton")
    return out


def file_system(path):
    """The type of the file system holding `path`, as df names it."""
    out = subprocess.run(["df", "--output=fstype", path], stdout=subprocess.PIPE, text=True).stdout.split()
    return out[-1] if out else "?"


def median(values):
    return statistics.median(values) if values else float("nan")


class Bench:
    def __init__(self, args):
        self.args = args
        self.native = os.path.abspath(args.native)
        self.work = os.path.abspath(args.work)
        os.makedirs(self.work, exist_ok=True)
        self.rows = []
        self.notes = []

    def exe(self, name):
        return os.path.join(self.native, name)

    def timed_headless(self, scenario, prefixes, folder):
        """Runs bench_headless; returns {prefix: (count, total, median)}."""
        cwd = os.path.join(self.work, "cwd")
        os.makedirs(cwd, exist_ok=True)
        out = subprocess.run([self.exe("bench/bench_headless"), "--program-folder", folder, scenario] + prefixes,
                             cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True, text=True)
        result = {}
        for line in out.stdout.splitlines():
            name, count, total, med = line.split("\t")
            result[name] = (int(count), float(total), float(med))
        return result

    def row(self, name, figure, floor, target, unit="s", good=None):
        ratio = figure / floor if floor > 0 else float("inf")
        ok = good(ratio) if good else target is None or ratio <= target
        self.rows.append((name, figure, floor, ratio, target, unit, ok))

    # --- batch import -----------------------------------------------------
    def batch_import(self):
        n = self.args.inputs
        inputs = ["D:\\in\\clip%05d.mkv" % i for i in range(n)]
        listing = os.path.join(self.work, "inputs.txt")
        write(listing, "\n".join(inputs) + "\n")
        scenario = os.path.join(self.work, "import.scn")
        write(scenario, "choose AvsIncludeCombo 0\nanswer folder E:\\out\\\nanswer files " + "|".join(inputs) +
              "\nclick FilesInputButton\n")
        twice = os.path.join(self.work, "import-twice.scn")
        write(twice, "choose AvsIncludeCombo 0\nanswer folder E:\\out\\\nanswer files " + "|".join(
            inputs + ["D:\\in\\more%05d.mkv" % i for i in range(n)]) + "\nclick FilesInputButton\n")
        figures, floors, doubled = [], [], []
        prog = os.path.join(self.work, "import-prog")
        floor_dir = os.path.join(self.work, "import-floor")
        for _ in range(self.args.rounds):
            fresh_folder(prog)
            doubled.append(self.timed_headless(twice, ["click FilesInputButton"], prog)["click FilesInputButton"][1])
            fresh_folder(prog)
            figures.append(self.timed_headless(scenario, ["click FilesInputButton"], prog)["click FilesInputButton"][1])
            fresh_folder(floor_dir, with_include=False)
            out = subprocess.run([self.exe("bench/bench_floor_files"), listing, floor_dir, "default"],
                                 stdout=subprocess.PIPE, check=True, text=True)
            floors.append(float(out.stdout))
        # the floor wrote the same bytes under the same names
        same = all(open(os.path.join(prog, "avs", name), "rb").read() == open(os.path.join(floor_dir, name), "rb").read()
                   for name in sorted(os.listdir(floor_dir)))
        if not same or len(os.listdir(os.path.join(prog, "avs"))) != n:
            self.notes.append("batch import: the wrappers differ from the floor's files")
        self.row("batch import, %d inputs, headless" % n, median(figures), median(floors), 1.5)
        self.row("  %d inputs against %d" % (2 * n, n), median(doubled), median(figures), 2.3)
        shutil.rmtree(prog, ignore_errors=True)
        shutil.rmtree(floor_dir, ignore_errors=True)

    # --- Make BAT headless, and the list for the window ---------------------
    def make_bat_headless(self):
        lines = self.args.lines
        scenario = os.path.join(self.work, "makebat.scn")
        bat = os.path.join(self.work, "headless.bat")
        write(scenario, "\n".join(job_list_lines(lines) + ["answer save " + bat, "click MakeBatButton"]) + "\n")
        prog = os.path.join(self.work, "makebat-prog")
        figures, floors = [], []
        for _ in range(self.args.rounds):
            fresh_folder(prog)
            figures.append(self.timed_headless(scenario, ["click MakeBatButton"], prog)["click MakeBatButton"][1])
            out = subprocess.run([self.exe("bench/bench_floor_write"), bat, bat + ".floor"], stdout=subprocess.PIPE,
                                 check=True, text=True)
            floors.append(float(out.stdout))
        if open(bat, "rb").read() != open(bat + ".floor", "rb").read():
            self.notes.append("Make BAT headless: the floor wrote other bytes")
        count = open(bat, "rb").read().count(b"\r\n") - 4
        self.row("Make BAT, %d lines, headless" % count, median(figures), median(floors), 1.5)
        shutil.rmtree(prog, ignore_errors=True)
        self.list_bat = bat

    # --- Delete, Up and Down headless --------------------------------------
    def operations_headless(self):
        results = {}
        for lines in (self.args.small, self.args.lines):
            body = job_list_lines(lines)
            length = (lines // JOB_LINES) * JOB_LINES + ((lines - (lines // JOB_LINES) * JOB_LINES) // 2) * 2
            for op in ("UpButton", "DownButton"):
                for _ in range(self.args.repeats):
                    body += ["choose JobList %d" % (length // 2), "click " + op]
            for _ in range(self.args.repeats):
                body += ["choose JobList %d" % (length // 2), "click DeleteButton"]
                length -= JOB_LINES
            scenario = os.path.join(self.work, "ops-%d.scn" % lines)
            write(scenario, "\n".join(body) + "\n")
            prog = os.path.join(self.work, "ops-prog")
            per = {op: [] for op in ("click UpButton", "click DownButton", "click DeleteButton")}
            for _ in range(self.args.rounds):
                fresh_folder(prog)
                got = self.timed_headless(scenario, list(per), prog)
                for op in per:
                    per[op].append(got[op][2])
            results[lines] = {op: median(v) for op, v in per.items()}
            shutil.rmtree(prog, ignore_errors=True)
        for op, name in (("click DeleteButton", "Delete"), ("click UpButton", "Up"), ("click DownButton", "Down")):
            self.row("%s per operation, headless: %d vs %d lines" % (name, self.args.lines, self.args.small),
                     results[self.args.lines][op], results[self.args.small][op], 2.0)

    # --- peak memory -------------------------------------------------------
    def memory(self):
        lines = self.args.lines
        scenario = os.path.join(self.work, "hold.scn")
        write(scenario, "\n".join(job_list_lines(lines) + ["dump JobList"]) + "\n")
        prog = os.path.join(self.work, "hold-prog")
        fresh_folder(prog)
        cwd = os.path.join(self.work, "cwd")
        os.makedirs(cwd, exist_ok=True)
        dump = os.path.join(self.work, "hold.out")
        with open(dump, "wb") as out:
            run = subprocess.run([self.exe("bench/bench_peak_memory"), self.exe("tarnwick-headless"), "--program-folder",
                                  prog, scenario], cwd=cwd, stdout=out, stderr=subprocess.PIPE, text=True)
        if run.returncode != 0:
            self.notes.append("memory: tarnwick-headless failed")
        # the dump prints each line as: two blanks, index, blank, "text"
        total = 0
        for raw in open(dump, "rb"):
            if raw.startswith(b"  "):
                text = raw.rstrip(b"\n").split(b" ", 3)[3]
                total += len(text) - 2
        peak = int(run.stderr.split()[-1])
        bound = 2 * total + 16 * 1024 * 1024
        self.row("peak memory holding %d lines (%.1f MB of lines)" % (lines, total / 1e6), peak / 1e6, bound / 1e6,
                 1.0, unit="MB")
        shutil.rmtree(prog, ignore_errors=True)

    # --- the real window under Wine ----------------------------------------
    def wine(self, *argv, **kw):
        return subprocess.run(self.args.wine.split() + list(argv), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              text=True, timeout=kw.get("timeout", 600))

    def winpath(self, path):
        return "Z:" + path.replace("/", "\\")

    def window(self):
        win = os.path.abspath(self.args.windows)
        folder = os.path.join(self.work, "window-prog")
        fresh_folder(folder)
        for exe in ("platform/win32/tarnwick.exe", "bench/floor_window.exe"):
            shutil.copy(os.path.join(win, exe), folder)
        probe = os.path.join(win, "bench", "startup_probe.exe")
        figures, floors = [], []
        for _ in range(self.args.rounds + 2):
            floors.append(float(self.wine(probe, self.winpath(os.path.join(folder, "floor_window.exe")),
                                          "BenchFloorWindow", timeout=120).stdout))
            figures.append(float(self.wine(probe, self.winpath(os.path.join(folder, "tarnwick.exe")), "TarnwickMain",
                                           timeout=120).stdout))
        self.row("start-up to the ready window, against the same controls, Wine", median(figures), median(floors), 1.3)

        bat = os.path.join(self.work, "window.bat")
        out = self.wine(os.path.join(win, "bench", "window_bench.exe"), self.winpath(os.path.join(folder, "tarnwick.exe")),
                        self.winpath(self.list_bat), self.winpath(bat), str(self.args.small), str(self.args.repeats),
                        timeout=1800)
        got = {}
        for line in out.stdout.splitlines():
            name, count, total, med = line.split("\t")
            got[name] = float(med)
        if got.get("makebat", -1) < 0 or got.get("makebat-small", 0) < 0:
            self.notes.append("window: window_bench gave no figures")
            return
        floors = []
        for _ in range(self.args.rounds):
            floors.append(float(self.wine(os.path.join(win, "bench", "bench_floor_write.exe"), self.winpath(bat),
                                          self.winpath(bat + ".floor")).stdout))
        # the same lines as headless, below a head that names another program folder
        if open(bat, "rb").read().split(b"\r\n", 1)[1] != open(self.list_bat, "rb").read().split(b"\r\n", 1)[1]:
            self.notes.append("Make BAT in the window wrote other lines than headless")
        count = open(bat, "rb").read().count(b"\r\n") - 4
        # Wine's save dialog takes about 2 s after it disappears, whatever the
        # list: that figure alone is no target; less the same with a short
        # list, it is.
        self.row("Make BAT, %d lines, in the window under Wine" % count, got["makebat"], median(floors), None)
        if "makebat-small" in got:
            self.row("  the same less Make BAT of %d lines (the dialog's close)" % self.args.small,
                     got["makebat"] - got["makebat-small"], median(floors), 2.0)
        self.notes.append("Make BAT in the window counts from the save dialog's disappearance to the file in place "
                          "(from its OK button: %.3f s; with %d lines: %.3f s)" %
                          (got["makebat-from-ok"], self.args.small, got.get("makebat-small", float("nan"))))
        large = [k for k in got if k.startswith("delete ") and k != "delete %d" % self.args.small]
        big = large[0].split(" ")[1] if large else str(self.args.lines)
        for op, name in (("delete", "Delete"), ("up", "Up"), ("down", "Down")):
            small_key = [k for k in got if k.startswith(op + " ") and k.split(" ")[1] != big]
            if (op + " " + big) in got and small_key:
                self.row("%s per operation, window: %s vs %s lines" % (name, big, small_key[0].split(" ")[1]),
                         got[op + " " + big], got[small_key[0]], 2.0)
        shutil.rmtree(folder, ignore_errors=True)

    # --- size mode: the probe as a process against its graph in-process -------
    def probe_import(self):
        win = os.path.abspath(self.args.windows)
        n = self.args.clips
        folder = os.path.join(self.work, "probe-prog")
        fresh_folder(folder, with_include=False)
        shutil.copy(os.path.join(win, "fathom.exe"), folder)
        clip = make_avi.avi(50, 25, 1)
        for i in range(n):
            with open(os.path.join(folder, "clip%03d.avs" % i), "wb") as f:
                f.write(clip)
        driver = os.path.join(win, "bench", "probe_import.exe")
        figures, floors, measured = [], [], set()
        for _ in range(self.args.rounds):
            for kind, into in (("in-process", floors), ("process", figures)):
                out = self.wine(driver, self.winpath(folder), str(n), kind, timeout=1800).stdout.split()
                if len(out) != 2:
                    self.notes.append("size-mode import: probe_import gave no figures")
                    return
                into.append(float(out[0]))
                measured.add(int(out[1]))
        if measured != {n}:
            self.notes.append("size-mode import: jobs with a bitrate per round %s, not %d" % (sorted(measured), n))
        # One probe process serves the whole import: its start, GStreamer's
        # own included, and a line each way per clip is all it adds.
        self.row("import of %d clips in size mode, probe process vs in-process, Wine" % n, median(figures),
                 median(floors), 1.5)
        self.notes.append("size mode costs %.3f s a job with the probe in its own process, %.3f s with its graph "
                          "in-process" % (median(figures) / n, median(floors) / n))
        shutil.rmtree(folder, ignore_errors=True)

    def print_table(self):
        width = max(len(r[0]) for r in self.rows)
        print("%-*s  %12s  %12s  %8s  %8s  %s" % (width, "", "figure", "floor", "ratio", "target", "met"))
        for name, figure, floor, ratio, target, unit, ok in self.rows:
            def fmt(v):
                if unit != "s":
                    return "%.1f %s" % (v, unit)
                return ("%.1f us" % (v * 1e6)) if v < 1e-3 else ("%.4f s" % v)
            print("%-*s  %12s  %12s  %8.2f  %8s  %s" % (width, name, fmt(figure), fmt(floor), ratio,
                                                        "-" if target is None else "<= %.1f" % target,
                                                        "-" if target is None else "yes" if ok else "NO"))
        for note in self.notes:
            print("note: " + note)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--native", required=True, help="the native build folder")
    ap.add_argument("--windows", help="the Windows build folder; none leaves the window rows out")
    ap.add_argument("--wine", default="wine")
    ap.add_argument("--why-no-window", default="")
    ap.add_argument("--window-note", default="")
    ap.add_argument("--work", required=True)
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--repeats", type=int, default=20)
    ap.add_argument("--inputs", type=int, default=10000)
    ap.add_argument("--lines", type=int, default=100000)
    ap.add_argument("--small", type=int, default=1000)
    ap.add_argument("--clips", type=int, default=100)
    args = ap.parse_args()
    bench = Bench(args)
    started = time.time()
    bench.batch_import()
    bench.make_bat_headless()
    bench.operations_headless()
    bench.memory()
    if args.windows:
        bench.window()
        bench.probe_import()
        if args.window_note:
            bench.notes.append("window rows: " + args.window_note)
    elif args.why_no_window:
        bench.notes.append("window rows left out: " + args.why_no_window)
    bench.notes.append("medians of %d rounds; Delete, Up and Down: floor = the same operation at %d lines, "
                       "%d operations a round; %.0f s in all" % (args.rounds, args.small, args.repeats,
                                                                 time.time() - started))
    bench.notes.append("files written under %s (%s)" % (args.work, file_system(args.work)))
    bench.print_table()
    return 0 if all(r[6] for r in bench.rows) else 1


if __name__ == "__main__":
    sys.exit(main())
