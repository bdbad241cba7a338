"""Figures of l3enc.exe and l3dec.exe under Wine against Debian's native lame
and mpg123 doing the same work, from one run (not a test).

    coder_bench.py TREE_DIR WORK_DIR

Run by scripts/bench.sh, with Wine's environment for the tree's prefix set
(WINEPREFIX, WINELOADER, WINESERVER, ...) and the inputs made in WORK_DIR:
tones60.wav, music60.wav and music600.wav (bench/make_signal.cpp) and the
same as MP3s by "lame -b 128".

The coders are measured as a job runs them: the prefix's Wine server is kept
running (a session's first program starts it, and it stays while the program
runs), so every run pays the start of a Wine process but not of the server;
what that first start costs is shown on a line of its own. Each figure is the
median of KORIMBA_BENCH_RUNS runs (default 5; KORIMBA_BENCH_LONG_RUNS, default
3, for the 10-minute files), the native and our runs taking turns so that the
load of the machine falls on both alike. Printed for each: the wall-clock time
(what a user waits for) of the baseline and ours, their ratio and difference,
the range of our runs (how noisy the machine was), and the processor time of
both (the process itself; the Wine server's share is not in it).
"""

import os
import resource
import statistics
import subprocess
import sys
import time
from pathlib import Path

RUNS = int(os.environ.get("KORIMBA_BENCH_RUNS", "5"))
LONG_RUNS = int(os.environ.get("KORIMBA_BENCH_LONG_RUNS", "3"))
COLD_RUNS = 3


def run_once(command, expected=(0,)):
    """Wall-clock and processor seconds of one run. The output goes nowhere:
    never into a pipe, which a Wine program started with the server would
    hand down to the server's own processes and so keep open. A run that
    fails is run again (a Wine process start on a busy machine now and then
    fails inside Wine); one that fails three times ends the benchmark."""
    for attempt in range(3):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.monotonic()
        status = subprocess.call(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        wall = time.monotonic() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        if status in expected:
            return wall, after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
        print("  (%s ended with status %d%s)" % (
            " ".join(command), status, ", again" if attempt < 2 else ""), flush=True)
    raise SystemExit("coder_bench: %s keeps failing" % " ".join(command))


class Figures:
    def __init__(self):
        self.walls = []
        self.cpus = []

    def add(self, measured):
        self.walls.append(measured[0])
        self.cpus.append(measured[1])

    @property
    def wall(self):
        return statistics.median(self.walls)

    @property
    def cpu(self):
        return statistics.median(self.cpus)


TITLE = 54


def header():
    print("%-*s %-35s %-13s %s" % (TITLE, "", "wall-clock, median", "our runs",
                                   "processor time, median"))
    print("%-*s %8s %8s %6s %8s  %-13s %8s %8s %6s" % (
        TITLE, "measurement [baseline]", "baseline", "ours", "ratio", "diff", "min..max",
        "baseline", "ours", "ratio"), flush=True)


def row(title, base, ours):
    ratio = ours.wall / base.wall if base.wall else float("nan")
    cpu_ratio = ours.cpu / base.cpu if base.cpu else float("nan")
    spread = "%.2f..%.2f" % (min(ours.walls), max(ours.walls))
    print("%-*s %7.3fs %7.3fs %5.2fx %+7.3fs  %-13s %7.3fs %7.3fs %5.2fx" % (
        TITLE, title, base.wall, ours.wall, ratio, ours.wall - base.wall, spread, base.cpu,
        ours.cpu, cpu_ratio), flush=True)


def compare(title, native, ours, runs=RUNS, expected=(0,)):
    base_figures, our_figures = Figures(), Figures()
    for _ in range(runs):
        base_figures.add(run_once(native, expected))
        our_figures.add(run_once(ours, expected))
    row(title, base_figures, our_figures)


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


class Server:
    """The prefix's Wine server."""

    def __init__(self):
        self.server = os.environ["WINESERVER"]

    def stop(self):
        subprocess.call([self.server, "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.call([self.server, "-w"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def keep_running(self):
        # Started by hand and persistent: one that a program started ends a
        # few seconds after the last program, as during a native baseline run.
        self.stop()
        subprocess.call([self.server, "-p"], stdin=subprocess.DEVNULL,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    tree = Path(sys.argv[1])
    work = Path(sys.argv[2])
    loader = os.environ["WINELOADER"]
    l3enc = [loader, str(tree / "l3enc.exe")]
    l3dec = [loader, str(tree / "l3dec.exe")]
    native_out = str(work / "native.out")
    our_out = windows_path(work / "ours.out")
    server = Server()

    # The first program of a session, which starts the server and Wine's own
    # services with it.
    cold = Figures()
    for _ in range(COLD_RUNS):
        server.stop()
        cold.add(run_once(l3enc, expected=(2,)))
    server.keep_running()
    run_once(l3enc, expected=(2,))
    print("Wine server cold start (a session's first program, l3enc's usage message): "
          "%.3fs, median of %d (%.2f..%.2f)" % (cold.wall, COLD_RUNS, min(cold.walls),
                                               max(cold.walls)))
    header()

    compare("l3enc start, usage message [lame --version]",
            ["lame", "--version"], l3enc, expected=(0, 2))
    compare("l3dec start, usage message [mpg123 --version]",
            ["mpg123", "--version"], l3dec, expected=(0, 2))

    encodes = [("tones", "60 s", RUNS), ("music", "60 s", RUNS), ("music", "10 min", LONG_RUNS)]
    for signal, length, runs in encodes:
        wav = work / ("%s%s.wav" % (signal, 60 if length == "60 s" else 600))
        for hq in (False, True):
            quality = ["-q", "2"] if hq else []
            compare("l3enc %s %s, 128 kbit/s%s [lame%s -b 128]" % (
                        signal, length, " -hq" if hq else "", " -q 2" if hq else ""),
                    ["lame", "--quiet"] + quality + ["-b", "128", str(wav), native_out],
                    l3enc + [windows_path(wav), our_out, "-br", "128000"] + (["-hq"] if hq else []),
                    runs)

    decodes = [("tones", "60 s", RUNS), ("music", "60 s", RUNS),
               ("tones", "10 min", LONG_RUNS), ("music", "10 min", LONG_RUNS)]
    for signal, length, runs in decodes:
        mp3 = work / ("%s%s.mp3" % (signal, 60 if length == "60 s" else 600))
        compare("l3dec %s %s to WAV [mpg123 -w]" % (signal, length),
                ["mpg123", "-q", "-w", native_out, str(mp3)],
                l3dec + [windows_path(mp3), our_out, "-wav"], runs)
    for length, runs in (("60 s", RUNS), ("10 min", LONG_RUNS)):
        mp3 = work / ("music%s.mp3" % (60 if length == "60 s" else 600))
        compare("l3dec music %s, -hq (dithered) [mpg123 -w]" % length,
                ["mpg123", "-q", "-w", native_out, str(mp3)],
                l3dec + [windows_path(mp3), our_out, "-wav", "-hq"], runs)


if __name__ == "__main__":
    main()
