"""Single-file jobs with the real coders: korimba.exe writes the script, the
shell runs it in Wine's command interpreter, l3enc.exe and l3dec.exe code."""

import unittest

from audio_files import mp3_frames, mp3_samples, wav_bytes, wav_frames
from button_pixels import SystemColors, point_away, wait_look
from korimba_e2e import E2ETestCase, wait_until, windows_path

JOB_TIMEOUT = 60.0


class SingleJobTestCase(E2ETestCase):
    def korimba_folder(self):
        """The program with its tool package; the completion notices off."""
        folder = self.program_folder("Audio Coder")
        folder.write_lines("Settings.ini", [folder.win("l3enc.exe"), folder.win("l3dec.exe")])
        folder.write_lines("Prefs.ini", ["Minimized", "No", "No", "No", "No", "No", "Yes",
                                         "Yes", "1", "", "No"])
        return folder

    def music(self, folder, relative, data=None):
        """A file in a "My Music" folder beside the program, written when data
        is given; its Windows path."""
        host = folder.host.parent / "My Music" / relative
        if data is not None:
            host.parent.mkdir(parents=True, exist_ok=True)
            host.write_bytes(data)
        return windows_path(host.parent) + "\\" + relative

    def music_bytes(self, folder, relative):
        return (folder.host.parent / "My Music" / relative).read_bytes()

    def start_job(self, main, command, input_path, output_path):
        main.child(cls="Edit", index=0).set_text(input_path)
        main.child(cls="Edit", index=1).set_text(output_path)
        main.child(caption=command).click()

    def wait_job_end(self, folder, lock, result):
        """Until the result is in the music folder and the script has gone: the
        click is posted, so the lock file may not even be written yet."""
        target = folder.host.parent / "My Music" / result
        wait_until(lambda: target.exists() and not folder.exists(lock), JOB_TIMEOUT,
                   message="%s made and %s gone" % (result, lock),
                   seen=lambda: "%s %s, %s %s" % (
                       result, "is there" if target.exists() else "is missing",
                       lock, "is still there" if folder.exists(lock) else "is gone"))

    def bars(self, main):
        return [main.child(cls="msctls_progress32", index=i) for i in (0, 1)]

    def wait_bars(self, main, shown):
        """Until the encode and decode bars are shown or hidden as given."""
        wait_until(lambda: [bar.visible for bar in self.bars(main)] == shown,
                   message="the encode and decode bars %s" % (shown,),
                   seen=lambda: "they are %s" % [bar.visible for bar in self.bars(main)])

    def assert_looks(self, main, expected):
        """With the pointer away, each button shows its look exactly."""
        colors = SystemColors(self.driver)
        point_away(main)
        for caption, look in expected.items():
            wait_look(main.child(caption=caption), colors, look, caption)


class FreshFolderTest(SingleJobTestCase):
    def test_a_folder_as_unpacked_encodes_with_its_own_coders_unattended_and_by_window(self):
        # No settings at all: the default preferences ask for the completion notice.
        folder = self.program_folder("Audio Coder")
        source = wav_bytes(3.0)
        track = self.music(folder, "Night and day.wav", source)
        program = self.start_korimba(folder, [track, "/encode"])
        self.assertEqual(program.wait_exit(timeout=JOB_TIMEOUT), 0, "the MP3 arrived")

        mp3 = self.music_bytes(folder, "Night and day.mp3")
        self.assertEqual(set(mp3_frames(mp3)[1:]), {(112, 44100)},
                         "the default 112000 bit/s, at the wave's rate")
        self.assertEqual(mp3_samples(mp3), 3 * 44100)
        self.assertFalse(folder.exists("Encoding.bat"))
        self.assertEqual(list(folder.path("Temp").iterdir()), [], "nothing left in Temp")
        self.assertNotIn(folder.win("Cleaner.exe").upper(),
                         (self.driver.get_profile("Windows", "Run") or "").upper())
        # Nobody watches an unattended run: no notice window.
        self.assertEqual(self.driver.processes_named("Message.exe"), [])

        # The window asks for no coder either; the notice names the output it made.
        program = self.start_korimba(folder)
        main = program.window(cls="TForm1")
        output = track[:-4] + " again.mp3"
        self.start_job(main, "&Encode", track, output)
        self.wait_job_end(folder, "Encoding.bat", "Night and day again.mp3")
        self.assertIsNone(self.driver.find({"pid": program.pid, "cls": "TForm2", "visible": True}))
        notices = self.driver.started_processes_named("Message.exe")
        self.assertEqual(len(notices), 1, "the completion program was started")
        self._programs.extend(notices)
        notice = notices[0].window(cls="KorimbaMessage")
        self.assertEqual(notice.child(cls="Static").text,
                         "Encoding finished.\r\n\r\nInput: %s\r\nOutput: %s" % (track, output))
        self.assertTrue(notice.child(caption="&Open folder").enabled)
        self.assertFalse(folder.exists("Settings.ini"), "nothing saved that the user did not save")


class WindowJobsTest(SingleJobTestCase):
    def test_decode_through_the_window_gives_a_wave_of_the_same_length(self):
        folder = self.korimba_folder()
        wave = self.music(folder, "Song.wav", wav_bytes(2.0))
        program = self.start_korimba(folder, [wave, "/encode"])
        self.assertEqual(program.wait_exit(timeout=JOB_TIMEOUT), 0, "the MP3 arrived")
        song = self.music(folder, "Song.mp3")
        (folder.host.parent / "My Music" / "Song.wav").unlink()

        program = self.start_korimba(folder, [song])
        main = program.window(cls="TForm1")
        self.assertEqual(main.child(cls="Edit", index=1).text,
                         windows_path(folder.host.parent / "My Music") + "\\",
                         "the output starts as the input's folder")
        self.start_job(main, "&Decode", song, self.music(folder, "Song.wav"))
        self.wait_job_end(folder, "Decoding.bat", "Song.wav")
        self.assertEqual(wav_frames(self.music_bytes(folder, "Song.wav")), 2 * 44100)
        self.wait_bars(main, [False, False])
        self.screenshot("after-decode", main)

    def test_encode_and_decode_at_once_both_finish_and_both_bars_go(self):
        folder = self.korimba_folder()
        self.music(folder, "Short.wav", wav_bytes(5.0))
        program = self.start_korimba(folder, [self.music(folder, "Short.wav"), "/encode"])
        self.assertEqual(program.wait_exit(timeout=JOB_TIMEOUT), 0, "the MP3 arrived")
        # The encode of this run is a stand-in that takes its time, so that the
        # decode surely runs and ends while it goes on.
        folder.copy_programs(("slowcoder.exe",))
        folder.write_lines("Settings.ini", [folder.win("slowcoder.exe"), folder.win("l3dec.exe")])
        long_wave = self.music(folder, "Long.wav", wav_bytes(1.0))

        program = self.start_korimba(folder)
        main = program.window(cls="TForm1")
        self.start_job(main, "&Encode", long_wave, self.music(folder, "Long.mp3"))
        self.wait_bars(main, [True, False])
        self.screenshot("encode-running", main, timeout=0.3)
        self.assert_looks(main, {"&Encode": "idle", "&Decode": "disabled"})
        self.assertEqual(main.child(cls="TLabel", caption_contains="Encoding").text,
                         "Encoding Long.wav")

        # A second Encode while the first runs is refused.
        self.start_job(main, "&Encode", long_wave, self.music(folder, "Long.mp3"))
        box = program.message_box()
        self.assertEqual(box.message, "An encoding process is still in progress, please "
                                      "try again when the encoding has finished.")
        box.answer("OK")

        # A decode meanwhile runs and ends on its own; the encode goes on.
        self.start_job(main, "&Decode", self.music(folder, "Short.mp3"),
                       self.music(folder, "Short decoded.wav"))
        self.wait_job_end(folder, "Decoding.bat", "Short decoded.wav")
        self.assertTrue(folder.exists("Encoding.bat"), "the encode outlasts the decode")
        self.wait_bars(main, [True, False])
        self.screenshot("encode-running-after-decode", main, timeout=0.3)
        self.assert_looks(main, {"&Encode": "disabled", "&Decode": "idle"})

        self.wait_job_end(folder, "Encoding.bat", "Long.mp3")
        self.wait_bars(main, [False, False])
        self.assertEqual(self.music_bytes(folder, "Long.mp3"), self.music_bytes(folder, "Long.wav"),
                         "the stand-in's copy arrived under the long name")
        self.assertEqual(wav_frames(self.music_bytes(folder, "Short decoded.wav")), 5 * 44100)
        self.screenshot("after-both-jobs", main)


class HostileNamesTest(SingleJobTestCase):
    def test_percent_ampersand_and_brackets_reach_the_right_file(self):
        folder = self.korimba_folder()
        track = self.music(folder, "100% R&B (live).wav", wav_bytes(1.0))
        look_alikes = {"100 R&B (live).mp3": b"keep 1", "100% R.mp3": b"keep 2",
                       "B (live).mp3": b"keep 3", "100%% R&B (live).mp3": b"keep 4"}
        for name, data in look_alikes.items():
            self.music(folder, name, data)
        self.music(folder, "100% R&B (live).mp3", b"older result")

        program = self.start_korimba(folder, [track, "/encode"])
        self.assertEqual(program.wait_exit(timeout=JOB_TIMEOUT), 0, "the MP3 arrived")

        self.assertEqual(mp3_samples(self.music_bytes(folder, "100% R&B (live).mp3")), 44100)
        for name, data in look_alikes.items():
            self.assertEqual(self.music_bytes(folder, name), data, name)
        self.assertTrue((folder.host.parent / "My Music" / "100% R&B (live).wav").exists())


if __name__ == "__main__":
    unittest.main()
