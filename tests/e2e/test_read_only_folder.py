"""korimba.exe started from a folder it cannot write to: one error box that says
where the folder is and what to do, then the program ends and leaves
everything as it was.
"""

import os
import unittest

from audio_files import wav_bytes
from korimba_e2e import E2ETestCase, win_ini, windows_path
from read_only import ReadOnlyFolders

BOX_TIMEOUT = 30.0

MESSAGE = ("Korimba cannot write to the folder it was started from:\n"
           "\n"
           "%s\n"
           "\n"
           "Korimba keeps its settings, job scripts and temporary files in that folder. "
           "Move the Korimba folder to a folder of your own, for example into your Documents "
           "folder, and start Korimba from there.")


def folder_state(host):
    """Every file and folder below host: relative name -> content and write time
    (None for a folder)."""
    state = {}
    for directory, folders, files in os.walk(host):
        for name in folders:
            path = os.path.join(directory, name)
            state[os.path.relpath(path, host)] = None
        for name in files:
            path = os.path.join(directory, name)
            with open(path, "rb") as file:
                state[os.path.relpath(path, host)] = (file.read(), os.stat(path).st_mtime_ns)
    return state


class ReadOnlyFolderTest(ReadOnlyFolders, E2ETestCase):
    def refused_start(self, folder, arguments=()):
        """Starts korimba.exe in the read-only folder, checks its one box and
        what else is up meanwhile, answers it and returns the exit code."""
        self.driver.set_profile("Korimba", "Path", "left by an earlier run")
        ini_before = win_ini().read_bytes()
        before = folder_state(folder.host)
        self.make_read_only(folder.host)

        program = self.start_korimba(folder, arguments)
        box = program.message_box(timeout=BOX_TIMEOUT)
        self.assertEqual(box.title, "Error")
        self.assertEqual(box.message, MESSAGE % folder.windows[:-1])
        self.assertEqual(box.buttons, ["OK"])
        self.assertEqual([w["hwnd"] for w in program.windows() if w["visible"]], [box.hwnd],
                         "the box is the only window shown")
        self.assertEqual([w["class"] for w in program.windows() if w["class"].startswith("T")],
                         [], "no window of the program's own was made")
        self.assertEqual([p for p in self.driver.processes() if p["parent"] == program.pid],
                         [], "nothing was started")
        shot = self.screenshot("box", box)

        box.answer("OK")
        code = program.wait_exit()
        self.assertEqual(folder_state(folder.host), before)
        self.assertEqual(win_ini().read_bytes(), ini_before, "win.ini was not written")
        self.assertEqual(self.driver.get_profile("Korimba", "Path"), "left by an earlier run")
        self.assertTrue(shot.is_file())
        return code

    def test_start_says_where_the_folder_is_and_ends(self):
        folder = self.program_folder("Korimba")
        folder.write_lines("Settings.ini", [folder.win("l3enc.exe"), folder.win("l3dec.exe")])
        folder.write_text("message.txt", "A notice that stays unread.\n")
        self.assertEqual(self.refused_start(folder), 1)

    def test_unattended_encode_says_the_same_and_encodes_nothing(self):
        folder = self.program_folder("Korimba 2.0")
        folder.write_lines("Settings.ini", [folder.win("l3enc.exe"), folder.win("l3dec.exe")])
        music = folder.host.parent / "My Music"
        music.mkdir()
        (music / "Track one.wav").write_bytes(wav_bytes(0.5))
        track = windows_path(music) + "\\Track one.wav"

        self.assertEqual(self.refused_start(folder, [track, "/encode"]), 1)
        self.assertEqual(sorted(p.name for p in music.iterdir()), ["Track one.wav"])


if __name__ == "__main__":
    unittest.main()
