"""List jobs with the real coders: a drop on the list window, an output
folder, and "En&code list" / "Dec&ode list" through the window."""

import time
import unittest

from audio_files import mp3_seconds, wav_bytes, wav_seconds
from button_pixels import SystemColors, describe, look_on_screen
from korimba_e2e import E2ETestCase, wait_until, windows_path

JOB_TIMEOUT = 90.0


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

    def start_main(self):
        self.program = self.start_korimba(self.folder)
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
        if delete_after:
            listing.child(caption="&Delete all after convert").click()
            wait_until(lambda: listing.child(caption="&Delete all after convert").checked)
        listing.child(caption="&Close").click()
        listing.wait_gone()
        self.main = self.program.window(cls="TForm1")

    def run_list(self, command, lock, label_word, last=None):
        """Presses the list command and follows the status label until the program
        has seen the job end (and, if given, shows the caption `last`); returns the
        captions the label showed for this job, each change once, in order."""
        label = self.main.child(cls="TLabel", caption_contains=label_word)
        before = label.text
        self.main.child(caption=command).click()
        wait_until(lambda: self.folder.exists(lock), 10)
        seen = []

        def sample():
            caption = label.text
            # Until the command sets its own caption, the label holds an older one.
            if (seen or caption != before) and (not seen or seen[-1] != caption):
                seen.append(caption)

        deadline = time.monotonic() + JOB_TIMEOUT
        while self.folder.exists(lock):
            sample()
            self.assertLess(time.monotonic(), deadline, "the job did not end")
            time.sleep(0.01)
        # The tick that finds the job ended hides the label and may show the last
        # entry's progress file only then.
        deadline = time.monotonic() + 10
        while True:
            sample()
            if not label.visible and (last is None or seen[-1:] == [last]):
                return seen
            self.assertLess(time.monotonic(), deadline, "the job's end not shown: %r" % seen)
            time.sleep(0.01)


class ListEncodeDecodeTest(ListJobTestCase):
    def test_three_waves_with_dotted_names_encode_and_decode_back(self):
        names = ["Mr. X.wav", "Mr. Y.wav", "R&B 100% v.1.2.wav"]
        for seconds, name in zip((150.0, 150.0, 2.0), names):
            (self.music / name).write_bytes(wav_bytes(seconds))
        self.start_main()
        self.list_files([self.music / name for name in names], self.win(self.out))
        self.assertTrue(self.main.child(caption="En&code list").enabled)
        self.assertEqual(self.main.child(caption="Edi&t list").caption, "Edi&t list")

        # An entry's caption stays until the next entry's progress file: the first two
        # for as long as a long wave takes to encode, the last one after the job. None
        # can be missed; only the start caption may go before the first look.
        progress = ["Encoding file %d of 3..." % i for i in (1, 2, 3)]
        seen = self.run_list("En&code list", "Encoding.bat", "Encoding", last=progress[-1])
        self.assertIn(seen, (progress, ["Encoding multiple files..."] + progress))
        wait_until(lambda: not self.main.child(cls="msctls_progress32", index=0).visible)
        for seconds, name in zip((150.0, 150.0, 2.0), names):
            mp3 = self.out / (name[:-4] + ".mp3")
            self.assertAlmostEqual(mp3_seconds(mp3.read_bytes()), seconds, delta=0.1, msg=name)
        self.assertEqual(sorted(p.name for p in self.out.iterdir()),
                         sorted(name[:-4] + ".mp3" for name in names))
        self.assertEqual(list(self.folder.path("Temp\\LE").iterdir()), [])
        self.assertFalse(self.folder.exists("EncList.dat"))
        self.assertFalse(self.folder.exists("EncList.tmp"))

        # And back, as a decode list, into another folder.
        back = self.folder.host.parent / "Back"
        self.list_files([self.out / (name[:-4] + ".mp3") for name in names], self.win(back))
        self.assertTrue(self.main.child(caption="Dec&ode list").enabled)
        progress = ["Decoding multiple files..."] + ["Decoding file %d of 3..." % i
                                                     for i in (1, 2, 3)]
        seen = self.run_list("Dec&ode list", "Decoding.bat", "Decoding", last=progress[-1])
        # Decoding is quick: a look at the label may come too late for a caption, but
        # those it sees are whole and in order.
        self.assertEqual(seen, [caption for caption in progress if caption in seen])
        for seconds, name in zip((150.0, 150.0, 2.0), names):
            wave = back / name
            self.assertAlmostEqual(wav_seconds(wave.read_bytes()), seconds, delta=0.03, msg=name)

    def test_delete_after_convert_keeps_the_input_whose_result_did_not_arrive(self):
        (self.music / "good one.wav").write_bytes(wav_bytes(1.0))
        (self.music / "broken (1).wav").write_bytes(b"RIFF not audio at all")
        (self.music / "good two.wav").write_bytes(wav_bytes(1.0))
        names = ["good one.wav", "broken (1).wav", "good two.wav"]
        self.start_main()
        self.list_files([self.music / name for name in names], self.win(self.out),
                        delete_after=True)
        self.run_list("En&code list", "Encoding.bat", "Encoding")
        self.assertEqual(sorted(p.name for p in self.out.iterdir()),
                         ["good one.mp3", "good two.mp3"])
        self.assertEqual([p.name for p in self.music.iterdir()], ["broken (1).wav"])

    def test_encode_list_and_decode_list_at_the_same_time(self):
        (self.music / "long.wav").write_bytes(wav_bytes(300.0))
        self.start_main()
        # An MP3 to decode, made by a first list run.
        (self.music / "short.wav").write_bytes(wav_bytes(1.0))
        self.list_files([self.music / "short.wav"], self.win(self.music))
        self.run_list("En&code list", "Encoding.bat", "Encoding")

        self.list_files([self.music / "long.wav"], self.win(self.out))
        self.main.child(caption="En&code list").click()
        wait_until(lambda: self.folder.exists("Encoding.bat"), 10)
        self.list_files([self.music / "short.mp3"], self.win(self.out))
        self.run_list("Dec&ode list", "Decoding.bat", "Decoding")
        self.assertTrue(self.folder.exists("Encoding.bat"), "the encode list outlasts the decode")
        self.screenshot("encode-list-running", self.main, timeout=0.3)
        # Every button of the side panel shows its caption on the panel, whatever
        # state it is in and wherever the pointer is.
        colors = SystemColors(self.driver)
        listing = next(caption for caption in ("Crea&te list", "Edi&t list")
                       if self.driver.find({"hwnd": self.main.hwnd}, {"caption": caption}))
        for caption in ("&Encode", "&Decode", listing, "En&code list", "Dec&ode list",
                        "      &System  ", "E&xit"):
            look, pixels = look_on_screen(self.main.child(caption=caption), colors)
            self.assertIsNotNone(look, "%s shows %s" % (caption, describe(pixels)))
        wait_until(lambda: not self.folder.exists("Encoding.bat"), JOB_TIMEOUT)
        self.assertAlmostEqual(wav_seconds((self.out / "short.wav").read_bytes()), 1.0,
                               delta=0.03)
        self.assertAlmostEqual(mp3_seconds((self.out / "long.mp3").read_bytes()), 300.0,
                               delta=0.1)


if __name__ == "__main__":
    unittest.main()
