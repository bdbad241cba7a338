"""Figures of korimba.exe itself under Wine, from one run (not a test):

- start-up to the visible main window against a bare one-window program, and
  the memory each then holds;
- the unattended "/encode" of a 60 s WAV against the bare l3enc.exe call;
- a list of 20 short WAVs through the program against the same coder calls
  from one plain batch file;
- the processor time the main window takes while it watches a running job (a
  stand-in coder that waits 10 s), against the same window idle, with the Wine
  server's share beside it.

Each time is the best of KORIMBA_BENCH_RUNS runs (default 3). Uses the
end-to-end harness: the build's Wine prefix, its driver, its own Xvfb.
"""

import os
import subprocess
import sys
import time
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))
sys.dont_write_bytecode = True

import korimba_e2e as e2e  # noqa: E402
from audio_files import wav_bytes  # noqa: E402

RUNS = int(os.environ.get("KORIMBA_BENCH_RUNS", "3"))
NO_NOTICES = ["Minimized", "No", "No", "No", "No", "No", "Yes", "Yes", "1", "", "No"]


def best(measure):
    return min(measure() for _ in range(RUNS))


def resident_kib(exe):
    """The resident memory of the Linux process that runs a Windows program."""
    listing = subprocess.run(["ps", "-eo", "rss=,args="], capture_output=True, text=True).stdout
    sizes = [int(line.split()[0]) for line in listing.splitlines() if exe.lower() in line.lower()]
    return max(sizes) if sizes else 0


def linux_pids(name):
    listing = subprocess.run(["ps", "-eo", "pid=,args="], capture_output=True, text=True).stdout
    return [int(line.split()[0]) for line in listing.splitlines()
            if name.lower() in line.lower() and "ps -eo" not in line]


def cpu_seconds(pid):
    """User and system time so far of a Linux process; None once it has gone."""
    try:
        fields = Path("/proc/%d/stat" % pid).read_text().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def cpu_share(pids, seconds):
    """The share of one core the processes take over the next seconds (those
    that end meanwhile not counted)."""
    before, start = {pid: cpu_seconds(pid) for pid in pids}, time.monotonic()
    time.sleep(seconds)
    after, took = {pid: cpu_seconds(pid) for pid in pids}, time.monotonic() - start
    return sum(after[pid] - before[pid] for pid in pids
               if before[pid] is not None and after[pid] is not None) / took


def row(title, baseline, ours, unit="s"):
    ratio = "%6.2fx" % (ours / baseline) if baseline else "      -"
    print("%-46s %9.3f%s %9.3f%s %s" % (title, baseline, unit, ours, unit, ratio), flush=True)


class Bench:
    def __init__(self):
        self.driver = e2e.driver()
        self.folder = e2e.ProgramFolder("bench", "Audio Coder")
        self.folder.copy_programs()
        self.folder.copy_programs(("barewindow.exe",))
        self.folder.write_lines("Settings.ini",
                                [self.folder.win("l3enc.exe"), self.folder.win("l3dec.exe")])
        self.folder.write_lines("Prefs.ini", NO_NOTICES)
        self.music = self.folder.host.parent / "Music"
        self.music.mkdir()

    def win(self, host):
        return e2e.windows_path(host)

    def until_window(self, exe, cls):
        start = time.monotonic()
        program = self.driver.start(self.folder.win(exe))
        self.driver.wait_window({"pid": program.pid, "cls": cls, "visible": True}, timeout=30)
        took = time.monotonic() - start
        memory = resident_kib(exe)
        program.kill()
        return took, memory

    def startup(self):
        bare = [self.until_window("barewindow.exe", "BareWindow") for _ in range(RUNS)]
        ours = [self.until_window("korimba.exe", "TForm1") for _ in range(RUNS)]
        row("start-up to the visible window", min(t for t, _ in bare), min(t for t, _ in ours))
        row("resident memory then (MiB)", max(m for _, m in bare) / 1024,
            max(m for _, m in ours) / 1024, " ")

    def run_to_exit(self, program, arguments):
        start = time.monotonic()
        self.driver.start(program, arguments).wait_exit(timeout=300)
        return time.monotonic() - start

    def unattended_encode(self):
        song = self.music / "Sixty seconds.wav"
        song.write_bytes(wav_bytes(60.0))
        temporary = self.folder.host.parent / "bare.mp3"
        bare = best(lambda: self.run_to_exit(self.folder.win("l3enc.exe"),
                                             [self.win(song), self.win(temporary), "-br", "112000"]))
        ours = best(lambda: self.run_to_exit(self.folder.win("korimba.exe"),
                                             [self.win(song), "/encode"]))
        row('"/encode" of 60 s against bare l3enc', bare, ours)
        print("%-46s %9.3fs" % ("  Korimba's own part of the job", ours - bare), flush=True)

    def list_of_twenty(self):
        for i in range(20):
            (self.music / ("Short %02d.wav" % i)).write_bytes(wav_bytes(2.0))
        songs = sorted(self.music.glob("Short *.wav"))
        plain = self.folder.host.parent / "plain"
        plain.mkdir(exist_ok=True)
        batch = self.folder.host.parent / "plain.bat"
        lines = ["@echo off"] + ['"%s" "%s" "%s" -br 112000' % (
            self.folder.win("l3enc.exe"), self.win(song), self.win(plain / (song.stem + ".mp3")))
            for song in songs]
        batch.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252"))
        bare = best(lambda: self.run_to_exit("C:\\windows\\system32\\cmd.exe",
                                             ["/c", self.win(batch)]))
        ours = best(lambda: self.list_through_the_program(songs))
        row("list of 20 short WAVs against a plain batch", bare, ours)

    def list_through_the_program(self, songs):
        out = self.folder.host.parent / "out"
        program = self.driver.start(self.folder.win("korimba.exe"))
        main = program.window(cls="TForm1")
        # Dropped on the list window: one file dropped on the main window is its input.
        main.child(caption="Crea&te list").click()
        listing = program.window(cls="TForm6")
        listing.drop(*[self.win(song) for song in songs])
        listing.child(cls="Edit", index=1).set_text(self.win(out) + "\\")
        listing.child(caption="&Close").click()
        main = program.window(cls="TForm1")
        start = time.monotonic()
        main.child(caption="En&code list").click()
        e2e.wait_until(lambda: self.folder.exists("Encoding.bat"), 10, interval=0.005)
        e2e.wait_until(lambda: not self.folder.exists("Encoding.bat"), 300, interval=0.005)
        took = time.monotonic() - start
        program.kill()
        return took


    def watcher(self):
        self.folder.copy_programs(("slowcoder.exe",))
        self.folder.write_lines("Settings.ini",
                                [self.folder.win("slowcoder.exe"), self.folder.win("l3dec.exe")])
        song = self.music / "Watched.wav"
        song.write_bytes(wav_bytes(1.0))
        program = self.driver.start(self.folder.win("korimba.exe"))
        main = program.window(cls="TForm1")
        time.sleep(1.0)  # past the start's own work
        ours, server = linux_pids("korimba.exe"), linux_pids("wineserver")
        idle = cpu_share(ours, 3.0), cpu_share(server, 3.0)
        main.child(cls="Edit", index=0).set_text(self.win(song))
        main.child(cls="Edit", index=1).set_text(self.win(song.with_suffix(".mp3")))
        main.child(caption="&Encode").click()
        e2e.wait_until(lambda: self.folder.exists("Encoding.bat"), 10, interval=0.005)
        time.sleep(1.0)
        watching = cpu_share(ours, 3.0), cpu_share(server, 3.0)
        row("watching a job: korimba.exe, share of a core", idle[0] * 100, watching[0] * 100, "%")
        row("  and the Wine server meanwhile", idle[1] * 100, watching[1] * 100, "%")
        program.kill()
        self.folder.write_lines("Settings.ini",
                                [self.folder.win("l3enc.exe"), self.folder.win("l3dec.exe")])


def main():
    print("%-46s %10s %10s %7s" % ("measurement", "baseline", "korimba", "ratio"), flush=True)
    try:
        bench = Bench()
        bench.startup()
        bench.unattended_encode()
        bench.list_of_twenty()
        bench.watcher()
    finally:
        e2e.end_session()


if __name__ == "__main__":
    main()
