"""Lists on several processors, from one run (not a test): list jobs of the
real coders through korimba.exe with "Work on several list files at once" off
and on, on music-like WAVs (bench/make_signal.cpp):

- eight of 30 s; the goal is on <= 0.58 x off;
- a mixed list, one of 5 minutes and seven of 30 s; the goal is on <= 1.1 x
  the longer of the long file's list alone and the whole list off divided by
  the processors.

Beside the eight, the baseline of what the processors allow: the same coder
calls without the program (each started from Linux by Wine's loader), one
after another and as many at a time as there are processors.

Each time is the best of KORIMBA_BENCH_RUNS runs (default 3).
Arguments: the folder with make_signal. KORIMBA_WINELOADER names Wine's loader
for the tree (default the 64-bit one).
"""

import os
import subprocess
import sys
import threading
import time
from pathlib import Path

import program_bench as pb

LOADER = os.environ.get("KORIMBA_WINELOADER", "/usr/lib/wine/wine64")
PREFERENCE_OFF = pb.NO_NOTICES + ["No"]
PREFERENCE_ON = pb.NO_NOTICES + ["Yes"]


class ParallelBench(pb.Bench):
    def __init__(self, signals):
        super().__init__()
        self.signals = signals

    def signal(self, name, seconds):
        """A music-like WAV of this length in the bench's music folder."""
        wave = self.music / name
        subprocess.run([str(self.signals / "make_signal"), "music", str(seconds), str(wave)],
                       check=True)
        return wave

    def list_time(self, songs, preference):
        self.folder.write_lines("Prefs.ini", preference)
        return pb.best(lambda: self.list_through_the_program(songs))

    def coders_alone(self, songs, at_once):
        """The time of l3enc.exe on each song, at_once of them running at a time."""
        def stream(waiting):
            while True:
                try:
                    song = waiting.pop()  # atomic: two streams never take the same song
                except IndexError:
                    return
                subprocess.run([LOADER, str(self.folder.host / "l3enc.exe"), self.win(song),
                                self.win(song.with_suffix(".mp3")), "-br", "128000"],
                               env=pb.e2e.wine_env(), stdout=subprocess.DEVNULL, check=True)

        def all_of_them():
            waiting = list(songs)
            start = time.monotonic()
            streams = [threading.Thread(target=stream, args=(waiting,)) for _ in range(at_once)]
            for each in streams:
                each.start()
            for each in streams:
                each.join()
            return time.monotonic() - start
        return pb.best(all_of_them)

    def compare(self, title, songs):
        off = self.list_time(songs, PREFERENCE_OFF)
        on = self.list_time(songs, PREFERENCE_ON)
        pb.row(title + ", off / on", off, on)
        return off, on


def main():
    processors = os.cpu_count() or 1
    print("%-46s %10s %10s %7s" % ("measurement", "off", "on", "ratio"), flush=True)
    try:
        bench = ParallelBench(Path(sys.argv[1]))
        eight = [bench.signal("Eight %d.wav" % i, 30) for i in range(8)]
        one, several = bench.coders_alone(eight, 1), bench.coders_alone(eight, processors)
        pb.row("  the bare coders, one / %d at a time" % processors, one, several)
        off, on = bench.compare("8 music WAVs of 30 s", eight)
        print("%-46s %9.3f   (goal <= 0.58)" % ("  on / off", on / off), flush=True)
        for wave in eight:
            wave.unlink()
        long = bench.signal("Long.wav", 300)
        mixed = [long] + [bench.signal("Short %d.wav" % i, 30) for i in range(7)]
        off, on = bench.compare("1 of 5 min and 7 of 30 s", mixed)
        alone = bench.list_time([long], PREFERENCE_OFF)
        bound = max(alone, off / processors)
        pb.row("  the long file's list alone / on", alone, on)
        print("%-46s %9.3f   (goal <= 1.1; %d processors)" % (
            "  on / max(long alone, off / processors)", on / bound, processors), flush=True)
    finally:
        pb.e2e.end_session()


if __name__ == "__main__":
    main()
