"""Kill processes really logs off: in a throwaway Wine prefix of its own (every
program in it ends), a running job's lock file and the recovery hook must be
left for the next start, and the close steps must not have run. Then
Cleaner.exe, as at the next logon, takes what the job left and nothing else."""

import os
import subprocess
import textwrap
import unittest
from pathlib import Path

from korimba_e2e import SOURCE_DIR, run_scenario, throwaway_prefix, wine_server

# Runs in its own Python with KORIMBA_WINEPREFIX pointing at the throwaway prefix.
SCENARIO = textwrap.dedent(r'''
    import sys
    sys.path.insert(0, sys.argv[1])
    import korimba_e2e as e2e
    from audio_files import wav_bytes

    driver = e2e.driver()
    folder = e2e.ProgramFolder("kill", "Audio Coder")
    folder.copy_programs()
    folder.copy_programs(("slowcoder.exe",))
    folder.write_lines("Settings.ini", [folder.win("slowcoder.exe"), folder.win("l3dec.exe")])
    # The job: "single", or "list" on several processors (three entries, two coded).
    job = sys.argv[2]
    folder.write_lines("Prefs.ini", ["Minimized", "No", "No", "No", "No", "No", "Yes", "Yes",
                                     "1", "", "No", "Yes"])
    songs = ["song.wav"] if job == "single" else ["one.wav", "two.wav", "three.wav"]
    for song in songs:
        folder.write_bytes(song, wav_bytes(1.0))
    program = driver.start(folder.win("korimba.exe"))
    main = program.window(cls="TForm1")
    if job == "single":
        main.child(cls="Edit", index=0).set_text(folder.win("song.wav"))
        main.child(cls="Edit", index=1).set_text(folder.win("song.mp3"))
        main.child(caption="&Encode").click()
        started = ["Encoding.bat"]
    else:
        main.child(caption="Crea&te list").click()
        listing = program.window(cls="TForm6")
        listing.drop(*[folder.win(song) for song in songs])
        listing.child(cls="Edit", index=1).set_text(folder.win("Out") + "\\")
        listing.child(caption="&Close").click()
        program.window(cls="TForm1").child(caption="En&code list").click()
        started = ["Encoding.bat", "Temp\\LE\\C1.1", "Temp\\LE\\C2.2"]
    e2e.wait_until(lambda: all(folder.exists(name) for name in started),
                   message="the job's scripts at work",
                   seen=lambda: sorted(str(p) for p in folder.path().rglob("*")))
    main.child(caption="      &System  ").click()
    driver.wait_window({"pid": program.pid, "cls": "#32768", "visible": True})
    main.real_key("f")
    main.real_key("k")
    question = program.message_box()
    seen = (question.title, question.message, question.buttons)
    assert seen == ("Confirm", "This will kill all encoding and decoding processes. You will "
                    "have to restart Windows now to do this. Do you want to continue?",
                    ["Yes", "No"]), seen
    question.answer("&Yes")
    warning = program.message_box()
    seen = (warning.title, warning.message, warning.buttons)
    assert seen == ("Warning", "Save any unsaved work and close all applications. Click OK to "
                    "continue.", ["OK"]), seen
    print(folder.host, flush=True)
    warning.answer("OK")  # from here on everything in the prefix ends, the driver too
''')


def cleaner_in_run(user_registry):
    """Whether [Windows] Run of win.ini, as the prefix's registry file holds it, ends
    with Cleaner.exe."""
    section = None
    for line in user_registry.read_text(errors="replace").splitlines():
        if line.startswith("["):
            section = line.split("]")[0].lower()
        elif section == r"[software\\microsoft\\windows nt\\currentversion\\windows" and \
                line.lower().startswith('"run"='):
            return line.lower().rstrip().endswith('cleaner.exe"')
    return False


class KillProcessesTest(unittest.TestCase):
    def kill(self, prefix, env, job):
        """Kill processes in the middle of a job; the program folder."""
        run = run_scenario(SCENARIO, job, env=env, timeout=300)
        self.assertIn("Audio Coder", run.stdout, run.stderr[-2000:])
        folder = Path(run.stdout.strip().splitlines()[-1])
        # Everything in the prefix ends; the server goes with the last program.
        wine_server("-w", env=env, timeout=60)
        self.assertTrue((folder / "Encoding.bat").exists(), "the killed job's lock file")
        # Windows keeps win.ini's [Windows] section in the registry; the prefix's
        # server wrote it out when it ended.
        self.assertTrue(cleaner_in_run(prefix / "user.reg"), "the hook stays for the restart")
        return folder

    def test_a_parallel_list_job_killed_leaves_nothing_after_the_cleaner(self):
        with throwaway_prefix("kill-list-prefix") as (prefix, env):
            folder = self.kill(prefix, env, "list")
            (folder / "Temp" / "mine.txt").write_bytes(b"a file of the user's")
            # The restart Kill processes asked for: the lock file predates Windows'
            # start, which under Wine is the machine's.
            booted = next(int(line.split()[1]) for line in
                          Path("/proc/stat").read_text().splitlines() if line.startswith("btime"))
            os.utime(folder / "Encoding.bat", (booted - 60, booted - 60))
            subprocess.run([str(SOURCE_DIR / "scripts" / "wine-run.sh"),
                            str(folder / "Cleaner.exe")], env=env, timeout=120, check=True)
            self.assertFalse((folder / "Encoding.bat").exists())
            self.assertEqual(sorted(p.name for p in (folder / "Temp").rglob("*")),
                             ["LE", "mine.txt"], "the list folder emptied, the rest kept")
            self.assertEqual(sorted(p.name for p in folder.glob("*.wav")),
                             ["one.wav", "three.wav", "two.wav"], "no input lost")

    def test_a_forced_log_off_leaves_the_lock_file_and_the_hook(self):
        with throwaway_prefix("kill-prefix") as (prefix, env):
            folder = self.kill(prefix, env, "single")
            self.assertFalse((folder / "song.mp3").exists(), "the job did not finish")
            self.assertFalse((folder / "options.ini").exists(), "no close steps")


if __name__ == "__main__":
    unittest.main()
