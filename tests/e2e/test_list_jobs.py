"""List jobs with the real coders: a drop on the list window, an output
folder, and "En&code list" / "Dec&ode list" through the window; and every
progress caption of a list job, with stand-ins that hold the job at each step."""

import unittest

from audio_files import mp3_samples, wav_bytes, wav_frames
from button_pixels import SystemColors, point_away, wait_look
from korimba_e2e import E2ETestCase, listing, wait_until, windows_path

JOB_TIMEOUT = 90.0
RATE = 44100
# A step of a held job takes a start of the interpreter or of a stand-in.
STEP_TIMEOUT = 30.0


class ListJobTestCase(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.folder = self.program_folder("Audio Coder")
        self.folder.write_lines("Settings.ini",
                                [self.folder.win("l3enc.exe"), self.folder.win("l3dec.exe")])
        # The defaults, but no completion notice waiting for a person.
        self.folder.write_lines("Prefs.ini", ["Minimized", "No", "No", "No", "No", "No", "Yes",
                                              "Yes", "1", "", "No"])
        self.music = self.folder.host.parent / "My Music"
        self.music.mkdir()
        self.out = self.folder.host.parent / "Out Folder"

    def win(self, host):
        return windows_path(host)

    def start_main(self, cwd=None):
        self.program = self.start(self.folder.win("korimba.exe"), cwd=cwd)
        self.main = self.program.window(cls="TForm1")
        return self.main

    def open_list(self):
        """The list window, by "Crea&te list" or, after a first closing, "Edi&t list"."""
        found = [self.driver.find({"hwnd": self.main.hwnd}, {"caption": caption})
                 for caption in ("Crea&te list", "Edi&t list")]
        next(button for button in found if button).click()
        return self.program.window(cls="TForm6")

    def list_files(self, paths, output, delete_after=False):
        """Makes the list from a drop of the given files, sets the output folder
        and closes the list window, which hands the main window back."""
        listing = self.open_list()
        entries = listing.child(cls="Edit", index=0)
        if not entries.text.startswith("\r\n  You can drop"):
            listing.child(caption="&Remove all").click()
            self.program.message_box().answer("&Yes")
            entries.wait_text("")
        listing.drop(*[self.win(path) for path in paths])
        entries.wait_text("\r\n".join(self.win(path) for path in paths) + "\r\n")
        listing.child(cls="Edit", index=1).set_text(output)
        delete = listing.child(caption="&Delete all after convert")
        if delete.checked != delete_after:
            delete.click()
            wait_until(lambda: delete.checked == delete_after,
                       message="Delete all after convert set to %s" % delete_after,
                       seen=lambda: "its check state is %s" % delete.checked)
        listing.child(caption="&Close").click()
        listing.wait_gone()
        self.main = self.program.window(cls="TForm1")

    def label(self, word):
        """The status label of a direction, "Encoding" or "Decoding"."""
        return self.main.child(cls="TLabel", caption_contains=word)

    def run_list(self, command, lock, word, results, watch=lambda: None):
        """Presses the list command and waits until its results are there, its script
        has gone and the program has seen the job end; the caption it left."""
        label = self.label(word)
        self.main.child(caption=command).click()
        self.wait_job_end(lock, label, results, watch)
        return label.text

    def wait_job_end(self, lock, label, results=(), watch=lambda: None):
        """Until the results are there (which they were not before the job), the
        script has gone and the status label is hidden; watch runs at each look."""
        def state():
            watch()
            return {"missing": [p.name for p in results if not p.exists()],
                    "script there": self.folder.exists(lock), "label shown": label.visible}
        wait_until(lambda: state() == {"missing": [], "script there": False,
                                       "label shown": False},
                   JOB_TIMEOUT, message="the end of the job of %s" % lock,
                   seen=lambda: "%s, the label says %r" % (state(), label.text))


class ListEncodeDecodeTest(ListJobTestCase):
    def test_three_waves_with_dotted_names_encode_and_decode_back(self):
        names = ["Mr. X.wav", "Mr. Y.wav", "R&B 100% v.1.2.wav"]
        lengths = (150, 150, 2)
        for seconds, name in zip(lengths, names):
            (self.music / name).write_bytes(wav_bytes(seconds))
        self.start_main()
        self.list_files([self.music / name for name in names], self.win(self.out))
        self.assertTrue(self.main.child(caption="En&code list").enabled)
        self.assertEqual(self.main.child(caption="Edi&t list").caption, "Edi&t list")

        mp3s = [self.out / (name[:-4] + ".mp3") for name in names]
        # The last entry's caption stays after the job (every caption on the way:
        # ListProgressTest), and a screen reader hears of each (name change).
        self.driver.listen(self.program.pid)
        self.addCleanup(self.driver.listen, 0)
        self.assertEqual(self.run_list("En&code list", "Encoding.bat", "Encoding", mp3s),
                         "Encoding file 3 of 3...")
        label = self.label("Encoding")
        self.assertGreaterEqual([(e["event"], e["window"]) for e in self.driver.heard()].count(
            (0x800C, label.hwnd)), 3, "a name change for each entry")
        wait_until(lambda: not self.main.child(cls="msctls_progress32", index=0).visible,
                   message="the encode bar hidden", seen=lambda: "it is still shown")
        for seconds, mp3 in zip(lengths, mp3s):
            self.assertEqual(mp3_samples(mp3.read_bytes()), seconds * RATE, mp3.name)
        self.assertEqual(sorted(p.name for p in self.out.iterdir()), sorted(p.name for p in mp3s))
        self.assertEqual(list(self.folder.path("Temp\\LE").iterdir()), [])
        self.assertFalse(self.folder.exists("EncList.dat"))
        self.assertFalse(self.folder.exists("EncList.tmp"))

        # And back, as a decode list, into another folder.
        back = self.folder.host.parent / "Back"
        self.list_files(mp3s, self.win(back))
        self.assertTrue(self.main.child(caption="Dec&ode list").enabled)
        waves = [back / name for name in names]
        self.assertEqual(self.run_list("Dec&ode list", "Decoding.bat", "Decoding", waves),
                         "Decoding file 3 of 3...")
        for seconds, wave in zip(lengths, waves):
            self.assertEqual(wav_frames(wave.read_bytes()), seconds * RATE, wave.name)

    def test_delete_after_convert_deletes_only_the_inputs_whose_own_result_arrived(self):
        # Each output folder already holds an older file of the broken entry's
        # result name: it must not count as that entry's result.
        broken_wave, broken_mp3 = b"RIFF not audio at all", b"an older broken (1).mp3"
        (self.music / "broken (1).wav").write_bytes(broken_wave)
        (self.music / "good.wav").write_bytes(wav_bytes(1.0))
        self.out.mkdir()
        (self.out / "broken (1).mp3").write_bytes(broken_mp3)
        self.start_main()
        self.list_files([self.music / "broken (1).wav", self.music / "good.wav"],
                        self.win(self.out), delete_after=True)
        self.run_list("En&code list", "Encoding.bat", "Encoding", [self.out / "good.mp3"])
        self.program.message_box().answer("OK")  # 1 of 2 could not be encoded
        self.assertEqual(listing(self.music), {"broken (1).wav": broken_wave})
        self.assertEqual(sorted(listing(self.out)), ["broken (1).mp3", "good.mp3"])

        # And back: the older "broken (1).mp3" is the broken input now, the
        # first wave the older file in the way.
        self.list_files([self.out / "broken (1).mp3", self.out / "good.mp3"],
                        self.win(self.music), delete_after=True)
        self.run_list("Dec&ode list", "Decoding.bat", "Decoding", [self.music / "good.wav"])
        self.program.message_box().answer("OK")
        self.assertEqual(listing(self.out), {"broken (1).mp3": broken_mp3})
        self.assertEqual(listing(self.music)["broken (1).wav"], broken_wave)
        self.assertEqual(wav_frames((self.music / "good.wav").read_bytes()), RATE)

    def test_encode_list_and_decode_list_at_the_same_time(self):
        (self.music / "long.wav").write_bytes(wav_bytes(300.0))
        self.start_main()
        # An MP3 to decode, made by a first list run.
        (self.music / "short.wav").write_bytes(wav_bytes(1.0))
        self.list_files([self.music / "short.wav"], self.win(self.music))
        self.run_list("En&code list", "Encoding.bat", "Encoding", [self.music / "short.mp3"])

        self.list_files([self.music / "long.wav"], self.win(self.out))
        self.main.child(caption="En&code list").click()
        wait_until(lambda: self.folder.exists("Encoding.bat"), 10,
                   message="the encode list's script written",
                   seen=lambda: "the program folder holds %s" % sorted(
                       p.name for p in self.folder.path().iterdir()))
        self.list_files([self.music / "short.mp3"], self.win(self.out))
        self.run_list("Dec&ode list", "Decoding.bat", "Decoding", [self.out / "short.wav"])
        self.assertTrue(self.folder.exists("Encoding.bat"), "the encode list outlasts the decode")
        self.screenshot("encode-list-running", self.main, timeout=0.3)
        # Every button of the side panel shows its caption on the panel, in the look
        # of its state: the list holds an MP3 now, the input field nothing.
        colors = SystemColors(self.driver)
        point_away(self.main)
        for caption, look in (("&Encode", "disabled"), ("&Decode", "disabled"),
                              ("Edi&t list", "idle"), ("En&code list", "disabled"),
                              ("Dec&ode list", "idle"), ("      &System  ", "idle"),
                              ("E&xit", "idle")):
            wait_look(self.main.child(caption=caption), colors, look, caption)
        self.wait_job_end("Encoding.bat", self.label("Encoding"), [self.out / "long.mp3"])
        self.assertEqual(wav_frames((self.out / "short.wav").read_bytes()), RATE)
        self.assertEqual(mp3_samples((self.out / "long.mp3").read_bytes()), 300 * RATE)


class ParallelListTest(ListJobTestCase):
    """"Work on several list files at once" on: an entry per processor at a time."""

    def setUp(self):
        super().setUp()
        self.folder.write_lines("Prefs.ini", self.folder.read_lines("Prefs.ini") + ["Yes"])

    def run_watched(self, command, lock, word, results):
        """run_list, with the most coders seen at once and whether one ran while
        the lock file was gone; nothing of the job runs after it."""
        seen = {"most": 0, "without lock": False}

        def watch():
            coders = len(self.driver.processes_named("l3enc.exe") +
                         self.driver.processes_named("l3dec.exe"))
            seen["most"] = max(seen["most"], coders)
            seen["without lock"] |= coders > 0 and not self.folder.exists(lock)
        caption = self.run_list(command, lock, word, results, watch)
        self.assertEqual(self.driver.processes_named("cmd.exe"), [], "nothing of the job runs")
        return caption, seen

    def test_entries_coded_at_once_keep_every_rule_of_a_list(self):
        # Two inputs of one short name, in two folders: a long name, and a name
        # that is the short form of the first.
        twin = self.music / "A" / "Long name one.wav"
        twin.parent.mkdir()
        twin.write_bytes(wav_bytes(2.0))
        short = self.driver.short_path(self.win(twin)).rsplit("\\", 1)[1]
        good = [self.music / name for name in ("One.wav", "R&B 100% v.1.2.wav", "Caf\u00e9.wav",
                                               "Mr. X.wav")] + [twin, self.music / "B" / short]
        broken = [self.music / "broken one.wav", self.music / "broken two.wav"]
        for wave in good:
            wave.parent.mkdir(exist_ok=True)
            wave.write_bytes(wav_bytes(60.0 if wave.name == "One.wav" else 2.0))
        for wave in broken:
            wave.write_bytes(b"RIFF not audio at all")
        self.start_main()
        entries = good[:2] + broken[:1] + good[2:] + broken[1:]
        self.list_files(entries, self.win(self.out), delete_after=True)
        mp3s = [self.out / (wave.name[:-4] + ".mp3") for wave in good]
        caption, seen = self.run_watched("En&code list", "Encoding.bat", "Encoding", mp3s)
        self.assertEqual(caption, "Encoding file 8 of 8...")
        self.assertEqual(seen, {"most": 2, "without lock": False})
        box = self.program.message_box()
        self.assertTrue(box.message.startswith("2 of 8 files could not be encoded:\n" +
                                               self.win(broken[0]) + ": "), box.message)
        box.answer("OK")
        self.assertEqual(sorted(p.name for p in self.music.rglob("*.wav")),
                         ["broken one.wav", "broken two.wav"], "only the broken inputs kept")
        self.assertEqual(sorted(listing(self.out)), sorted(mp3.name for mp3 in mp3s))
        for wave, mp3 in zip(good, mp3s):
            self.assertEqual(mp3_samples(mp3.read_bytes()),
                             (60 if wave.name == "One.wav" else 2) * RATE, mp3.name)
        self.assertEqual(list(self.folder.path("Temp\\LE").iterdir()), [])

        # And back, as a decode list; not the twin named as the other's short
        # name, which Wine gives "Long name one.mp3" too.
        back = self.folder.host.parent / "Back"
        self.list_files(mp3s[:-1], self.win(back))
        waves = [back / (mp3.name[:-4] + ".wav") for mp3 in mp3s[:-1]]
        caption, _ = self.run_watched("Dec&ode list", "Decoding.bat", "Decoding", waves)
        self.assertEqual(caption, "Decoding file 5 of 5...")
        for wave in waves:
            self.assertEqual(wav_frames(wave.read_bytes()),
                             (60 if wave.name == "One.wav" else 2) * RATE, wave.name)
        self.assertEqual(list(self.folder.path("Temp\\LD").iterdir()), [])


class ListProgressTest(ListJobTestCase):
    """Every caption a list job shows, in order, none missed: stand-ins hold the
    job at each step until the test has seen its caption.

    Before its first entry a list script runs "deltree", which is no command of
    Wine's interpreter: the interpreter looks for a program of that name in the
    folder the script starts in, the folder korimba.exe was started in, where
    the test puts a gate. The coders' gate is the one stand-in for both coders.
    """

    def setUp(self):
        super().setUp()
        self.folder.copy_programs(("gatecoder.exe",))
        self.folder.write_lines("Settings.ini", [self.folder.win("gatecoder.exe")] * 2)
        start_folder = self.folder.host.parent / "Start Folder"
        start_folder.mkdir()
        (start_folder / "deltree.exe").write_bytes(self.folder.read_bytes("gatecoder.exe"))
        self.before_entries = start_folder / "deltree"
        self.coder = self.folder.path("gatecoder")
        self.start_main(cwd=self.win(start_folder))

    def follow(self, command, lock, word, count):
        """Runs the list command step by step; every caption its label showed, each
        change once, in order."""
        label = self.label(word)
        before = label.text
        seen = []

        def sample():
            caption = label.text
            # Until the command sets its own caption, the label holds an older one.
            if (seen or caption != before) and seen[-1:] != [caption]:
                seen.append(caption)

        def until(condition, what):
            wait_until(lambda: sample() or condition(), STEP_TIMEOUT, message=what,
                       seen=lambda: "the captions so far: %r" % seen)

        def release(gate):
            gate.with_suffix(".open").write_bytes(b"")
            until(lambda: not gate.with_suffix(".open").exists(), "%s.exe let go" % gate.name)

        self.main.child(caption=command).click()
        start = "%s multiple files..." % word
        until(lambda: self.before_entries.with_suffix(".waiting").exists() and seen[-1:] == [start],
              "the job held before its first entry, showing %r" % start)
        release(self.before_entries)
        for position in range(1, count + 1):
            caption = "%s file %d of %d..." % (word, position, count)
            until(lambda: seen[-1:] == [caption], "entry %d held, showing %r" % (position, caption))
            release(self.coder)
        until(lambda: not self.folder.exists(lock) and not label.visible,
              "the end of the job seen")
        return seen

    def test_every_caption_of_an_encode_and_a_decode_list_in_order(self):
        names = ["one.wav", "two.wav", "three.wav"]
        for seconds, name in zip((1, 2, 3), names):
            (self.music / name).write_bytes(wav_bytes(seconds))
        self.list_files([self.music / name for name in names], self.win(self.out))
        self.assertEqual(self.follow("En&code list", "Encoding.bat", "Encoding", 3),
                         ["Encoding multiple files..."]
                         + ["Encoding file %d of 3..." % i for i in (1, 2, 3)])
        for name in names:
            self.assertEqual((self.out / (name[:-4] + ".mp3")).read_bytes(),
                             (self.music / name).read_bytes(), "the stand-in's copy of " + name)

        back = self.folder.host.parent / "Back"
        self.list_files([self.out / (name[:-4] + ".mp3") for name in names], self.win(back))
        self.assertEqual(self.follow("Dec&ode list", "Decoding.bat", "Decoding", 3),
                         ["Decoding multiple files..."]
                         + ["Decoding file %d of 3..." % i for i in (1, 2, 3)])
        for name in names:
            self.assertEqual((back / name).read_bytes(), (self.music / name).read_bytes(), name)


if __name__ == "__main__":
    unittest.main()
