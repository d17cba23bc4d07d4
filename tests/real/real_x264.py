#!/usr/bin/env python3
"""The pass lines in today's syntax, run by Debian's x264 on a tiny clip: each
must run, and x264 must record the settings the form asked for. The forms are
random settings files (fixed seed) that tarnwick-headless loads, its rules
having their say, and adds a job of every mode for.

usage: real_x264.py TARNWICK-HEADLESS   (exit 77: x264 or ffmpeg is missing)
"""
import os
import random
import re
import subprocess
import sys
import tempfile

X264, FFMPEG, FORMS, MODES = "/usr/bin/x264", "/usr/bin/ffmpeg", 12, 14
# Each settings key between two bounds (the same bound fixes a key); the
# shortest keyframe interval is drawn last, at most half the longest, as x264 holds it.
RANGES = dict(a1=(0, 1), a2=(0, 1), a3=(0, 1), a4=(0, 1), a5=(0, 1), a6=(0, 1), cab=(0, 1), mxref=(0, 1),
              fil=(0, 1), bref=(0, 1), bme=(0, 1), ba=(0, 1), bwb=(0, 1), fastpsk=(0, 1), dctd=(0, 1), apin=(0, 1),
              tre=(0, 2), dm=(0, 3), m=(0, 8), ms=(0, 3), crelog=(0, 0), mb=(0, 3), bias=(-90, 90), range=(4, 32),
              ref=(1, 4), arx=(1, 1), ary=(1, 1), thr=(0, 2), nr=(0, 400), kfb=(0, 90), bfr=(0, 90), vbr=(0, 100),
              minqp=(0, 25), maxqp=(30, 51), qps=(2, 10), bv=(50, 200), sct=(0, 100), value=(18, 40),
              auto1pcrf=(18, 30), maxgop=(10, 300))  # qps from 2: x264 takes 1 as 2
DUMP = re.compile(r'^(\w+) state=(-?\d+) enabled=\d visible=\d text="(.*)"$')


def expected(f, words):
    """What x264 records for a pass line of this form: field by field, the
    groups the line carries."""
    state = lambda n: int(f[n][0])
    number = lambda n: int(f[n][1])
    flag, text, ratio = lambda n: str(state(n)), lambda n: str(number(n)), lambda p: "%.2f" % (1 + p / 100)
    fast = "-p" in words and words[words.index("-p") + 1] == "1" and "--slow-firstpass" not in words
    refs, bframes, me = number("RefFramesEdit"), number("MaxBFramesEdit"), state("MeMethodCombo")
    # x264 records no strengths for a filter that is off, no limits for a constant quantizer,
    # and makes its own choices for a fast first pass; one B-frame in a row is no reference.
    groups = [
        (True, dict(cabac=flag("CabacCheck"), decimate=flag("DctDecimateCheck"), nr=text("NoiseReductionEdit"),
                    bframes=str(bframes), keyint=text("MaxIdrEdit"), keyint_min=text("MinIdrEdit"),
                    scenecut=text("SceneCutEdit"),
                    deblock="1:%s:%s" % (text("DeblockStrengthValueLabel"), text("DeblockThresholdValueLabel"))
                    if state("DeblockCheck") else "0:0:0")),
        (bframes > 0, dict(b_pyramid="2" if state("BRefCheck") and bframes > 1 else "0", b_adapt=flag("AdaptiveBCheck"),
                           b_bias=text("BiasEdit"), direct=str([2, 1, 3, 0][state("DirectModeCombo")]),
                           weightb=flag("WeightedBCheck"))),
        ("--qpmin" in words and "-q" not in words, dict(qpmin=text("MinQpEdit"), qpmax=text("MaxQpEdit"))),
        ("--qpstep" in words, dict(qpstep=text("MaxQpStepEdit"), qcomp=ratio(number("QuantCompEdit") - 100))),
        ("--ipratio" in words, dict(ip_ratio=ratio(number("KeyframeBoostEdit")))),
        (not fast, dict(fast_pskip=flag("FastPSkipCheck"), ref=str(refs),
                        mixed_ref="1" if state("MixedRefsCheck") and refs > 1 else "0",
                        me=["dia", "hex", "umh", "esa"][me], subme=str(state("SubmeCombo") + 1),
                        # the 2007 rule: the box counts from level 5 on, read from the item's first character
                        chroma_me="0" if "--no-chroma-me" in words and not state("ChromaMeCheck")
                        and f["SubmeCombo"][1][0] > "4" else "1",
                        trellis=flag("TrellisCombo") if state("CabacCheck") else "0",
                        **{"8x8dct": flag("Transform8x8Check")})),
        (not fast and me >= 2, dict(me_range=text("MeRangeEdit"))),
    ]
    want = {k: v for carried, fields in groups if carried for k, v in fields.items()}
    if not fast:  # the inter partitions in the "analyse" field
        p8 = state("P8x8SearchCheck")
        want["inter"] = hex((0x10 if p8 else 0) | (0x20 if p8 and state("P4x4SearchCheck") else 0)
                            | (0x100 if state("B8x8SearchCheck") else 0))
    return want


def recorded(stream):
    """The options record x264 writes into the stream, with the inter partitions of its analyse field."""
    at = stream.find(b"options: ")
    fields = dict(w.split("=", 1) for w in stream[at + 9:stream.index(b"\0", at)].decode().split() if "=" in w)
    fields["inter"] = hex(int(fields.get("analyse", "0:0").split(":")[1], 16) & 0x130)
    return fields


def main():
    if not (os.access(X264, os.X_OK) and os.access(FFMPEG, os.X_OK)):
        print("x264 or ffmpeg is not installed")
        return 77
    work = tempfile.mkdtemp()
    clip, out, stats = work + "/clip.y4m", work + "/out.264", work + "/pass.stats"
    subprocess.run(["timeout", "60", FFMPEG, "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=64x48:rate=25",
                    "-frames:v", "10", "-pix_fmt", "yuv420p", clip], check=True)
    os.makedirs(work + "/prog/configs")
    rng = random.Random(2007)
    scenario = ["choose MainPanel 0"]
    for form in range(FORMS):
        keys = {k: rng.randint(lo, hi) for k, (lo, hi) in RANGES.items()}
        keys.update(cqm="flat", x264syntax=2, mingop=rng.randint(1, keys["maxgop"] // 2 + 1))
        with open("%s/prog/configs/form%d.ini" % (work, form), "w", newline="") as f:
            f.write("".join("%s = %s\r\n" % kv for kv in keys.items()))
        # the chroma box has no settings key: the later half of the forms go without it
        scenario += ["click ChromaMeCheck"] * (form == FORMS // 2)
        # Clear asks while the list holds the lines of the last job
        clear = ["answer yes", "click ClearButton"]
        scenario += ["type ConfigCombo form%d" % form, "click LoadConfigButton"] + clear * (form > 0) + ["dump form"]
        for mode in range(MODES):
            scenario += clear * (mode > 0) + ["choose EncodeModeCombo %d" % mode, "type InputFileEdit C:\\clip.avs",
                         "type OutputFileEdit C:\\out.264", "type StatsFileEdit C:\\pass.stats", "click AddButton",
                         "dump JobList"]
    r = subprocess.run([os.path.abspath(sys.argv[1]), "--program-folder", work + "/prog", "-"], cwd=work,
                       input="\n".join(scenario).encode(), capture_output=True, timeout=120)
    assert r.returncode == 0, r.stderr
    failures = passes = 0
    form = {}
    for line in r.stdout.decode("latin-1").split("\n"):
        if m := DUMP.match(line):
            form[m.group(1)] = (m.group(2), m.group(3))
        elif line.startswith("  ") and "@x264.exe " in line:
            # the words as cmd hands them to a program: blanks split, double quotes group and go
            command = line.split(" ", 3)[3][1:-1].removeprefix("@if errorlevel 1 ")
            words = [w.replace('"', "") for w in re.findall(r'(?:"[^"]*"|[^\s"])+', command)]
            args = [clip if i == len(words) - 1 else out if words[i - 1] == "-o" else stats
                    if words[i - 1] == "--stats" else w for i, w in enumerate(words) if i > 0]
            run = subprocess.run(["timeout", "60", X264] + args, capture_output=True)
            got = recorded(open(out, "rb").read()) if run.returncode == 0 and os.path.exists(out) else {}
            bad = {k: (v, got.get(k, "(absent)")) for k, v in expected(form, words).items() if got.get(k) != v}
            if run.returncode != 0 or bad:
                failures += 1
                print("FAIL %s\n  wanted, recorded: %s\n  %s" % (" ".join(words), bad, run.stderr.decode()[-300:]))
            passes += 1
            os.path.exists(out) and os.remove(out)
    subprocess.run(["rm", "-rf", work])
    print("real x264: %d passes, %d failed" % (passes, failures))
    return 1 if failures or passes < FORMS * MODES else 0


if __name__ == "__main__":
    sys.exit(main())
