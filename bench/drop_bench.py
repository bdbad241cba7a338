"""Figures of a drop of many files on the process-list window under Wine, from
one run (not a test).

For each size N (default 100 1000 2000 20000, or the sizes given as
arguments) a fresh korimba.exe opens its list window and gets N ANSI names
dropped on it as the shell drops them (WM_DROPFILES). Printed per size:

- drop:     from the posted drop until the list shows all N names;
- settext:  the baseline, the same text given to the list at once by one
            WM_SETTEXT, which is what the edit control itself costs;
- ratio:    drop against settext;
- longest:  the longest time the window answered no message during the drop
            (the freeze a user would see);
- per file: the drop's time beyond a drop of one file, divided by N - 1;
- vs prev:  per file against the previous size's (about 1 when the cost
            grows linearly, about the ratio of the sizes when it grows with
            their square).

KORIMBA_DROP_TIMEOUT (seconds, default 600) gives up on a size that takes
longer. Uses the end-to-end harness: the build's Wine prefix, its driver, its
own Xvfb (KORIMBA_BUILD_DIR names the cross build tree).
"""

import os
import sys
import time
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(SOURCE / "tests" / "e2e"))
sys.dont_write_bytecode = True

import korimba_e2e as e2e  # noqa: E402

SIZES = [int(n) for n in sys.argv[1:]] or [100, 1000, 2000, 20000]
TIMEOUT = float(os.environ.get("KORIMBA_DROP_TIMEOUT", "600"))


def names(count):
    """Paths of a plausible length (about 50 characters), both kinds, all different."""
    return ["C:\\Music\\Album %03d\\Track %05d - a song title.%s"
            % (i // 100, i, "wav" if i % 3 else "MP3") for i in range(count)]


class Bench:
    def __init__(self):
        self.driver = e2e.driver()
        self.folder = e2e.ProgramFolder("drop-bench", "Korimba")
        self.folder.copy_programs(("korimba.exe",))

    def list_window(self):
        program = self.driver.start(self.folder.win("korimba.exe"))
        main = program.window(cls="TForm1", timeout=30)
        main.child(caption="Crea&te list").click()
        listing = program.window(cls="TForm6", timeout=30)
        return program, listing, listing.child(cls="Edit", index=0)

    def poll(self, memo, expected, since):
        """Reads the list until it holds the expected text; returns the time it
        took (None when it gave up) and the longest gap between two answers of
        the window."""
        last_answer = since
        longest = 0.0
        while True:
            left = TIMEOUT - (time.monotonic() - since)
            try:
                # Wine may hold a message to a busy window longer than the
                # driver's own wait says.
                text = self.driver.call("text", memo.hwnd, timeout=max(left, 0) + 5)
            except e2e.DriverError:
                text = None  # no answer within the driver's wait: still busy
            except e2e.HarnessError:
                # Still no answer at the end. The harness has stopped that
                # driver; once it is gone, another one starts.
                e2e.wait_until(lambda: not self.driver.alive, 30)
                self.driver = e2e.driver()
                return None, time.monotonic() - last_answer
            now = time.monotonic()
            if text is not None:
                longest = max(longest, now - last_answer)
                last_answer = now
                if text == expected:
                    return now - since, longest
            if now - since > TIMEOUT:
                return None, max(longest, now - last_answer)
            time.sleep(0.01)

    def measure(self, count):
        files = names(count)
        expected = "".join(name + "\r\n" for name in files)
        program, listing, memo = self.list_window()
        try:
            start = time.monotonic()
            listing.drop(*files)
            took, longest = self.poll(memo, expected, start)
            if took is None:
                return None, longest, None
            # The baseline on the same window: empty the list, then the whole
            # text at once.
            memo.set_text("")
            start = time.monotonic()
            self.driver.call("settext", memo.hwnd, e2e._quote(expected), timeout=TIMEOUT)
            at_once = time.monotonic() - start
            if memo.text != expected:
                raise e2e.HarnessError("the list did not take the text at once")
            return took, longest, at_once
        finally:
            self.driver.call("kill", program.pid)


def main():
    print("%7s %10s %10s %8s %10s %12s %9s" % (
        "files", "drop", "settext", "ratio", "longest", "per file", "vs prev"), flush=True)
    try:
        bench = Bench()
        # A drop of one file: what every drop costs besides its files (the
        # message, the window's answer, the harness's reading of the list).
        base, _, _ = bench.measure(1)
        previous = None
        for count in SIZES:
            took, longest, at_once = bench.measure(count)
            if took is None:
                print("%7d %10s  (gave up after %.0f s; longest silence %.3f s)"
                      % (count, "-", TIMEOUT, longest), flush=True)
                continue
            per_file = (took - base) / max(count - 1, 1)
            growth = "%8.2fx" % (per_file / previous) if previous else "%9s" % "-"
            previous = per_file
            print("%7d %9.3fs %9.3fs %7.2fx %9.3fs %10.4fms %s" % (
                count, took, at_once, took / at_once if at_once else float("nan"), longest,
                per_file * 1000, growth), flush=True)
        print("(a drop of 1 file: %.3f s; per file = (drop - that) / (files - 1))" % base)
    finally:
        e2e.end_session()


if __name__ == "__main__":
    main()
