"""Names beyond ASCII and jobs that fail, with the real coders.

The command interpreter reads a job script in the console's OEM code page,
not in the ANSI one the program works in, so these jobs run in the locales
whose code pages differ: Western European (ANSI 1252, OEM 850) and Cyrillic
(1251, 866). Wine takes both code pages from the Unix locale, and every process
inherits it from the one that started it: a driver of the test's own, started
in the locale, starts korimba.exe, which starts the scripts' interpreter.

The programs work in UTF-8 by their manifest; the Western and Cyrillic classes
run them without that entry, as Windows before 10 1903 does, in the locale's
legacy code pages, and the any-name class with it.
"""

import re
import subprocess
import tempfile
import unicodedata
import unittest

from audio_files import mp3_seconds, wav_bytes, wav_seconds
from korimba_e2e import (ANSI, SOURCE_DIR, Driver, E2ETestCase, host_path, listing,
                         wait_until, windows_path, wine_env)
from read_only import ReadOnlyFolders

JOB_TIMEOUT = 60.0

CAFE = "Café Olé – “Live” naïve"
EURO = "Ünïcödé Über €5"
PRIVET = "Привет мир"

# Prefs.ini: the defaults, without the completion notices.
QUIET_PREFS = ["Minimized", "No", "No", "No", "No", "No", "Yes", "Yes", "1", "", "No"]
# The same with the notices of single-file jobs.
NOTICE_PREFS = ["Minimized", "No", "Yes", "Yes", "No", "No", "Yes", "Yes", "1", "", "No"]
# The same with the notice of list jobs.
LIST_NOTICE_PREFS = ["Minimized", "No", "No", "No", "Yes", "No", "Yes", "Yes", "1", "", "No"]


def misread(name, ansi, oem):
    """The name as an interpreter reading in `oem` would take its ANSI bytes."""
    return name.encode(ansi).decode(oem)


class JobTestCase(E2ETestCase):
    """A program folder with the coders beside a music folder; in LOCALE (a
    Unix locale name) when given, with a driver of the class's own."""

    LOCALE = None
    UTF8 = True           # False: the programs as older Windows run them, in the
                          # locale's legacy ANSI code page (no UTF-8 by manifest)
    ENCODING = ANSI       # the programs' ANSI code page, as Python names it
    CODE_PAGES = None     # {"ansi": ..., "oem": ...} that the locale must give

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.locale_driver = None
        if cls.LOCALE:
            cls.locale_driver = Driver({"LC_ALL": cls.LOCALE})
            cls.addClassCleanup(cls.locale_driver.quit)
            cls.check_locale(cls.locale_driver)

    @classmethod
    def check_locale(cls, drv):
        """The driver has the locale's code pages, and so has an interpreter it
        starts, as korimba.exe starts the scripts' one."""
        pages = drv.code_pages()
        if pages != cls.CODE_PAGES:
            raise AssertionError("%s gives code pages %r, not %r" % (cls.LOCALE, pages,
                                                                   cls.CODE_PAGES))
        host_path("C:\\").joinpath("e2e").mkdir(exist_ok=True)
        report = "C:\\e2e\\%s chcp.txt" % cls.__name__
        shell = drv.start("C:\\windows\\system32\\cmd.exe",
                          command_line='cmd /c chcp > "%s"' % report)
        shell.wait_exit(30)
        said = host_path(report).read_bytes()
        host_path(report).unlink()
        # "Active code page: 850", in the interpreter's own language.
        if not re.search(rb": %d\r\n$" % cls.CODE_PAGES["oem"], said):
            raise AssertionError("the interpreter says %r" % said)

    def setUp(self):
        super().setUp()
        if self.locale_driver:
            self.driver = self.locale_driver
        self.folder = self.program_folder("Audio Coder")
        if not self.UTF8:
            self.folder.without_utf8()
        self.folder.write_lines("Settings.ini",
                                [self.folder.win("l3enc.exe"), self.folder.win("l3dec.exe")])
        self.folder.write_lines("Prefs.ini", QUIET_PREFS)
        self.music = self.folder.host.parent / "My Music"
        self.music.mkdir()

    def win(self, host):
        return windows_path(host)

    def put(self, folder, files):
        """Writes name -> bytes into a folder (made if need be)."""
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in files.items():
            (folder / name).write_bytes(data)

    # The window

    def start_main(self):
        self.program = self.start_korimba(self.folder)
        self.main = self.program.window(cls="TForm1")
        return self.main

    def label(self, word):
        """The status label of a direction: "Encoding" or "Decoding"."""
        return self.main.child(cls="TLabel", caption_contains=word)

    def wait_seen_end(self, word, before):
        """Until the program has seen the job end: its label has a caption of
        this job (set with the start), the script is gone and the tick that
        found it gone has hidden the label (the report comes right after)."""
        label = self.label(word)
        lock = self.folder.path(word + ".bat")
        wait_until(lambda: label.text != before and not lock.exists() and not label.visible,
                   JOB_TIMEOUT, message="the %s job did not end within %.0f s"
                                        % (word, JOB_TIMEOUT))
        self.main.sync()

    def window_job(self, command, source, target):
        """A single-file job through the fields and a button; returns once the
        program has seen it end."""
        word = {"&Encode": "Encoding", "&Decode": "Decoding"}[command]
        before = self.label(word).text
        self.main.child(cls="Edit", index=0).set_text(self.win(source))
        self.main.child(cls="Edit", index=1).set_text(self.win(target))
        self.main.child(caption=command).click()
        self.wait_seen_end(word, before)

    def assert_no_box(self):
        """No message box, shown or about to be: call after wait_seen_end."""
        box = self.driver.find({"pid": self.program.pid, "cls": "#32770"})
        self.assertIsNone(box, box and self.driver.call("msgbox", box.hwnd))

    def report_box(self, title, message):
        """The one box that reports the job: its title, text and button."""
        box = self.program.message_box()
        self.assertEqual((box.title, box.message, box.buttons), (title, message, ["OK"]))
        return box

    def read_notice(self, expected, shot=None, offers_folder=True):
        """The one completion notice: its text and whether it offers the output's
        folder; then closed and ended."""
        notices = self.driver.started_processes_named("Message.exe")
        self.assertEqual(len(notices), 1, "one completion program")
        self._programs.extend(notices)
        notice = notices[0].window(cls="KorimbaMessage")
        self.assertEqual(notice.child(cls="Static").text, expected)
        self.assertEqual(notice.child(caption="&Open folder").enabled, offers_folder)
        if shot:
            self.screenshot(shot, notice)
        notice.close()
        notices[0].wait_exit()

    # Lists

    def open_list(self):
        found = [self.driver.find({"hwnd": self.main.hwnd}, {"caption": caption})
                 for caption in ("Crea&te list", "Edi&t list")]
        next(button for button in found if button).click()
        return self.program.window(cls="TForm6")

    def list_job(self, command, paths, output_folder, delete_after=False, refused=None):
        """Makes a list of the files, with the output folder and, if asked,
        "&Delete all after convert"; runs it and waits until the program has
        seen it end, or, when it is to be refused, for the box that says so."""
        listing_window = self.open_list()
        entries = listing_window.child(cls="Edit", index=0)
        if not entries.text.startswith("\r\n  You can drop"):
            listing_window.child(caption="&Remove all").click()
            # Yes, whatever the locale calls it.
            question = self.program.message_box()
            self.assertEqual(len(question.buttons), 2)
            question.answer(question.buttons[0])
            entries.wait_text("")
        listing_window.drop(*[self.win(path) for path in paths])
        entries.wait_text("".join(self.win(path) + "\r\n" for path in paths))
        listing_window.child(cls="Edit", index=1).set_text(self.win(output_folder) + "\\")
        delete = listing_window.child(caption="&Delete all after convert")
        if delete.checked != delete_after:
            delete.click()
            wait_until(lambda: delete.checked == delete_after)
        listing_window.child(caption="&Close").click()
        listing_window.wait_gone()
        self.main = self.program.window(cls="TForm1")
        word = {"En&code list": "Encoding", "Dec&ode list": "Decoding"}[command]
        before = self.label(word).text
        self.main.child(caption=command).click()
        if refused:
            self.report_box("Error", refused).answer("OK")
        else:
            self.wait_seen_end(word, before)

    # Unattended runs

    def encode_unattended(self, wave):
        """korimba.exe "<wave>" /encode, started from outside as a script of a
        user's would: (exit status, standard error)."""
        environment = wine_env()
        if self.LOCALE:
            environment["LC_ALL"] = self.LOCALE
        # Standard error into a file, not a pipe: a process that Wine starts on
        # demand inherits it and may outlive korimba.exe, which is what is awaited.
        with tempfile.TemporaryFile() as said:
            done = subprocess.run([str(SOURCE_DIR / "scripts" / "wine-run.sh"),
                                   str(self.folder.path("korimba.exe")), self.win(wave), "/encode"],
                                  env=environment, stdout=subprocess.DEVNULL, stderr=said,
                                  timeout=JOB_TIMEOUT)
            said.seek(0)
            return done.returncode, said.read().decode(self.ENCODING)

    # Results

    def assert_mp3(self, path, seconds):
        self.assertAlmostEqual(mp3_seconds(path.read_bytes()), seconds, delta=0.1, msg=path.name)

    def assert_wav(self, path, seconds):
        self.assertAlmostEqual(wav_seconds(path.read_bytes()), seconds, delta=0.03, msg=path.name)

    def assert_left_clean(self):
        """Nothing of the jobs left behind in the program folder."""
        self.assertFalse(self.folder.exists("Encoding.bat"))
        self.assertFalse(self.folder.exists("Decoding.bat"))
        self.assertEqual(sorted(str(p) for p in self.folder.path("Temp").rglob("*")
                                if p.is_file()), [], "no file left in Temp")
        self.assertEqual(sorted(str(p) for p in self.folder.path("Temp").glob("*/*")
                                if p.is_dir()), [], "no staging folder left")


def look_alikes(stem, extensions, ansi):
    """Files a job on <stem> must not touch: the name made ASCII, cut at a blank,
    and as an interpreter would misread its ANSI bytes in code pages 850, 437, 866."""
    spelled = stem.replace("–", "-").replace("“", "").replace("”", "").replace("€", "EUR")
    ascii_form = "".join(c for c in unicodedata.normalize("NFKD", spelled) if c.isascii())
    stems = {ascii_form, stem.split(" ")[0], misread(stem, ansi, "cp850"),
             misread(stem, ansi, "cp437"), misread(stem, ansi, "cp866")}
    stems.discard(stem)
    return {s + ext: ("look-alike " + s + ext).encode() for s in stems for ext in extensions}


# ------------------------------------------------------------------ Western European


class WesternNamesTestCase(JobTestCase):
    LOCALE = "de_DE.UTF-8"
    UTF8 = False
    ENCODING = "cp1252"
    CODE_PAGES = {"ansi": 1252, "oem": 850}


class WesternSingleJobsTest(WesternNamesTestCase):
    def test_window_jobs_write_the_long_names_and_nothing_else(self):
        others = {**look_alikes(CAFE, (".mp3", ".wav"), "cp1252"),
                  **look_alikes(EURO, (".mp3", ".wav"), "cp1252")}
        self.put(self.music, {CAFE + ".wav": wav_bytes(1.0), EURO + ".mp3": b"older result",
                              **others})
        before = listing(self.music)
        self.start_main()

        # A new MP3: the program makes an empty file of the name to write into.
        self.window_job("&Encode", self.music / (CAFE + ".wav"), self.music / (CAFE + ".mp3"))
        self.assert_no_box()
        after = listing(self.music)
        self.assert_mp3(self.music / (CAFE + ".mp3"), 1.0)
        del after[CAFE + ".mp3"]
        self.assertEqual(after, before)

        # Decoded into a new WAV of another name beyond ASCII.
        self.window_job("&Decode", self.music / (CAFE + ".mp3"), self.music / (EURO + ".wav"))
        self.assert_no_box()
        self.assert_wav(self.music / (EURO + ".wav"), 1.0)
        self.assertEqual(sorted(listing(self.music)),
                         sorted(list(before) + [CAFE + ".mp3", EURO + ".wav"]))

        # Encoded over an older MP3 of its name, which keeps that name.
        self.window_job("&Encode", self.music / (EURO + ".wav"), self.music / (EURO + ".mp3"))
        self.assert_no_box()
        self.assert_mp3(self.music / (EURO + ".mp3"), 1.0)
        after = listing(self.music)
        for name in (CAFE + ".mp3", EURO + ".wav", EURO + ".mp3"):
            after.pop(name)
        before.pop(EURO + ".mp3")
        self.assertEqual(after, before)
        self.assert_left_clean()

    def test_unattended_encodes_write_the_long_names(self):
        others = look_alikes(CAFE, (".mp3",), "cp1252")
        self.put(self.music, {CAFE + ".wav": wav_bytes(1.0), EURO + ".wav": wav_bytes(2.0),
                              **others})
        for stem, seconds in ((CAFE, 1.0), (EURO, 2.0)):
            self.assertEqual(self.encode_unattended(self.music / (stem + ".wav")), (0, ""), stem)
            self.assert_mp3(self.music / (stem + ".mp3"), seconds)
        after = listing(self.music)
        self.assertEqual(sorted(after), sorted([CAFE + ".wav", EURO + ".wav", CAFE + ".mp3",
                                                EURO + ".mp3", *others]))
        for name, data in others.items():
            self.assertEqual(after[name], data, name)
        self.assert_left_clean()

    def test_a_failed_encode_to_a_new_name_leaves_no_empty_file(self):
        self.put(self.music, {CAFE + ".wav": b"RIFF not audio at all"})
        status, error = self.encode_unattended(self.music / (CAFE + ".wav"))
        self.assertEqual((status, error), (1, "%s could not be encoded: this is neither a WAV "
                                              "nor a SND audio file.\nNo file was made at %s.\r\n"
                                              % (self.win(self.music / (CAFE + ".wav")),
                                                 self.win(self.music / (CAFE + ".mp3")))))
        self.assertEqual(listing(self.music), {CAFE + ".wav": b"RIFF not audio at all"})


class WesternListJobsTest(WesternNamesTestCase):
    def test_lists_with_delete_after_convert_move_and_delete_exactly_their_files(self):
        stems = {CAFE: 1.0, EURO: 2.0, "plain ascii": 1.5}
        others = {**look_alikes(CAFE, (".mp3", ".wav"), "cp1252"),
                  **look_alikes(EURO, (".mp3", ".wav"), "cp1252")}
        self.put(self.music, {stem + ".wav": wav_bytes(s) for stem, s in stems.items()})
        self.put(self.music, others)
        out = self.folder.host.parent / "Out Folder"
        self.put(out, others)
        self.start_main()

        self.list_job("En&code list", [self.music / (stem + ".wav") for stem in stems], out,
                      delete_after=True)
        self.assert_no_box()
        self.assertEqual(listing(self.music), others, "exactly the three inputs deleted")
        after = listing(out)
        for stem, seconds in stems.items():
            self.assert_mp3(out / (stem + ".mp3"), seconds)
            del after[stem + ".mp3"]
        self.assertEqual(after, others)

        back = self.folder.host.parent / "Back"
        self.list_job("Dec&ode list", [out / (stem + ".mp3") for stem in stems], back,
                      delete_after=True)
        self.assert_no_box()
        self.assertEqual(listing(out), others, "exactly the three MP3s deleted")
        self.assertEqual(sorted(listing(back)), sorted(stem + ".wav" for stem in stems))
        for stem, seconds in stems.items():
            self.assert_wav(back / (stem + ".wav"), seconds)
        self.assertEqual(listing(self.music), others)
        self.assert_left_clean()


# ------------------------------------------------------------------ Cyrillic


class CyrillicNamesTest(JobTestCase):
    LOCALE = "ru_RU.UTF-8"
    UTF8 = False
    ENCODING = "cp1251"
    CODE_PAGES = {"ansi": 1251, "oem": 866}

    def test_single_jobs_in_the_window_and_unattended(self):
        others = look_alikes(PRIVET, (".mp3", ".wav"), "cp1251")
        self.put(self.music, {PRIVET + ".wav": wav_bytes(1.0), **others})
        back = self.folder.host.parent / "Обратно"
        back.mkdir()
        self.start_main()

        self.window_job("&Encode", self.music / (PRIVET + ".wav"), self.music / (PRIVET + ".mp3"))
        self.assert_no_box()
        self.assert_mp3(self.music / (PRIVET + ".mp3"), 1.0)
        self.window_job("&Decode", self.music / (PRIVET + ".mp3"), back / (PRIVET + ".wav"))
        self.assert_no_box()
        self.assert_wav(back / (PRIVET + ".wav"), 1.0)
        self.assertEqual(sorted(listing(back)), [PRIVET + ".wav"])

        # Unattended, over the MP3 made above.
        self.put(self.music, {PRIVET + ".wav": wav_bytes(2.0)})
        self.assertEqual(self.encode_unattended(self.music / (PRIVET + ".wav")), (0, ""))
        self.assert_mp3(self.music / (PRIVET + ".mp3"), 2.0)
        after = listing(self.music)
        self.assertEqual(sorted(after), sorted([PRIVET + ".wav", PRIVET + ".mp3", *others]))
        for name, data in others.items():
            self.assertEqual(after[name], data, name)
        self.assert_left_clean()

    def test_lists_encode_and_decode(self):
        stems = {PRIVET: 1.0, "Ёлка 2": 1.5}
        others = look_alikes(PRIVET, (".mp3", ".wav"), "cp1251")
        self.put(self.music, {stem + ".wav": wav_bytes(s) for stem, s in stems.items()})
        self.put(self.music, others)
        out = self.folder.host.parent / "Вывод"
        self.start_main()

        self.list_job("En&code list", [self.music / (stem + ".wav") for stem in stems], out,
                      delete_after=True)
        self.assert_no_box()
        self.assertEqual(listing(self.music), others)
        self.assertEqual(sorted(listing(out)), sorted(stem + ".mp3" for stem in stems))
        for stem, seconds in stems.items():
            self.assert_mp3(out / (stem + ".mp3"), seconds)

        self.list_job("Dec&ode list", [out / (stem + ".mp3") for stem in stems], self.music)
        self.assert_no_box()
        self.assertEqual(sorted(listing(out)), sorted(stem + ".mp3" for stem in stems))
        after = listing(self.music)
        for stem, seconds in stems.items():
            self.assert_wav(self.music / (stem + ".wav"), seconds)
            del after[stem + ".wav"]
        self.assertEqual(after, others)
        self.assert_left_clean()


# ------------------------------------------------------------------ any name (UTF-8)


JAPANESE = "日本語の歌 – ライブ"
GREEK = "Ελληνικά"
EMOJI = "🎵 Song"


class AnyNameTest(JobTestCase):
    """The programs in UTF-8 (their manifest) in a Western locale: names that
    no legacy code page of that locale has."""

    LOCALE = "de_DE.UTF-8"
    CODE_PAGES = {"ansi": 1252, "oem": 850}
    STEMS = {JAPANESE: 1.0, GREEK: 1.5, EMOJI: 2.0}
    # The status caption: the name's first 12 characters, or all of a shorter one.
    CAPTIONS = {JAPANESE: "Encoding 日本語の歌 – ライブ....", GREEK: "Encoding Ελληνικά.wav...",
                EMOJI: "Encoding 🎵 Song.wav"}

    def put_songs(self):
        self.put(self.music, {stem + ".wav": wav_bytes(s) for stem, s in self.STEMS.items()})

    def songs_and_results(self):
        return sorted(stem + ext for stem in self.STEMS for ext in (".wav", ".mp3"))

    def look_alikes(self):
        """The names as an interpreter or a legacy program would mangle them."""
        others = {}
        for stem in self.STEMS:
            mangled = {stem.encode("utf-8").decode("cp1252", "replace"),
                       stem.encode("cp1252", "replace").decode("cp1252"),
                       stem.split(" ")[0] if " " in stem else stem[:2]}
            for name in mangled - {stem}:
                for ext in (".wav", ".mp3"):
                    others[name + ext] = ("look-alike " + name + ext).encode()
        return others

    def test_dropped_on_the_window_and_encoded_under_exactly_their_names(self):
        self.folder.write_lines("Prefs.ini", NOTICE_PREFS)
        others = self.look_alikes()
        self.put_songs()
        self.put(self.music, others)
        self.start_main()
        for stem, seconds in self.STEMS.items():
            source = self.music / (stem + ".wav")
            self.main.drop(self.win(source))
            self.main.child(cls="Edit", index=0).wait_text(self.win(source))
            self.window_job("&Encode", source, self.music / (stem + ".mp3"))
            self.assert_no_box()
            self.assertEqual(self.label("Encoding").text, self.CAPTIONS[stem])
            self.read_notice("Encoding finished.\r\n\r\nInput: %s\r\nOutput: %s"
                             % (self.win(source), self.win(self.music / (stem + ".mp3"))),
                             shot="any-name-notice" if stem == JAPANESE else None)
            self.assert_mp3(self.music / (stem + ".mp3"), seconds)
        after = listing(self.music)
        self.assertEqual(sorted(after), sorted([*others, *self.songs_and_results()]))
        for name, data in others.items():
            self.assertEqual(after[name], data, name)
        self.assert_left_clean()

    def test_unattended_by_the_long_and_by_the_short_name(self):
        self.put_songs()
        for stem, seconds in self.STEMS.items():
            self.assertEqual(self.encode_unattended(self.music / (stem + ".wav")), (0, ""), stem)
            self.assert_mp3(self.music / (stem + ".mp3"), seconds)
        for stem in self.STEMS:
            (self.music / (stem + ".mp3")).unlink()
            short = self.driver.short_path(self.win(self.music / (stem + ".wav")))
            self.assertTrue(short.isascii(), short)
            self.assertEqual(self.encode_unattended(host_path(short)), (0, ""), stem)
        self.assertEqual(sorted(listing(self.music)), self.songs_and_results())
        self.assert_left_clean()

    def test_a_list_with_delete_after_convert(self):
        others = self.look_alikes()
        self.put_songs()
        self.put(self.music, others)
        out = self.folder.host.parent / ("Ausgabe " + GREEK)
        self.start_main()
        self.list_job("En&code list", [self.music / (stem + ".wav") for stem in self.STEMS], out,
                      delete_after=True)
        self.assert_no_box()
        self.assertEqual(listing(self.music), others, "exactly the three inputs deleted")
        self.assertEqual(sorted(listing(out)), sorted(stem + ".mp3" for stem in self.STEMS))
        for stem, seconds in self.STEMS.items():
            self.assert_mp3(out / (stem + ".mp3"), seconds)
        self.assert_left_clean()

    def test_settings_of_an_older_version_load_with_their_accents(self):
        # The coders in a folder beyond ASCII, named in Settings.ini in code page
        # 1252 as an older Korimba saved it: a wrong reading would ask for them.
        coders = self.folder.host.parent / "Kodierer Café"
        coders.mkdir()
        for name in ("l3enc.exe", "l3dec.exe"):
            (coders / name).write_bytes(self.folder.path(name).read_bytes())
        lines = [self.win(coders / "l3enc.exe"), self.win(coders / "l3dec.exe")]
        self.folder.write_bytes("Settings.ini",
                                "".join(line + "\r\n" for line in lines).encode("cp1252"))
        self.put(self.music, {GREEK + ".wav": wav_bytes(1.0)})
        self.start_main()
        self.window_job("&Encode", self.music / (GREEK + ".wav"), self.music / (GREEK + ".mp3"))
        self.assert_no_box()
        self.assert_mp3(self.music / (GREEK + ".mp3"), 1.0)


# ------------------------------------------------------------------ failures

# A WAV file whose format chunk ends before it has begun.
CUT_IN_FORMAT = b"RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00"
CUT_IN_FORMAT_REASON = "the WAV file is truncated in its format chunk"
NOT_AUDIO = b"RIFF not audio at all"
NOT_AUDIO_REASON = "this is neither a WAV nor a SND audio file"


def cut_short(seconds, kept):
    """A WAV whose header promises `seconds` of which only `kept` are there."""
    return wav_bytes(seconds)[:44 + int(kept * 44100) * 4]


class FailureReportsTest(JobTestCase):
    def test_a_failed_job_is_told_once_by_its_notice_which_names_the_output(self):
        self.folder.write_lines("Prefs.ini", NOTICE_PREFS)
        self.put(self.music, {"broken.wav": CUT_IN_FORMAT, "song.mp3": b"older result",
                              "kaputt.mp3": b"not an mp3 at all", "good.wav": wav_bytes(1.0)})
        self.start_main()

        self.window_job("&Encode", self.music / "broken.wav", self.music / "song.mp3")
        self.read_notice("The file could not be encoded.\r\nReason: %s\r\n\r\nInput: %s\r\n"
                         "Output: %s" % (CUT_IN_FORMAT_REASON, self.win(self.music / "broken.wav"),
                                         self.win(self.music / "song.mp3")),
                         "encode-failed-notice")
        self.assert_no_box()
        self.assertEqual(listing(self.music)["song.mp3"], b"older result")

        # An output new to the job: the notice names it all the same, and its folder.
        self.window_job("&Decode", self.music / "kaputt.mp3", self.music / "kaputt.wav")
        self.read_notice("The file could not be decoded; no result was made.\r\n"
                         "Reason: this is not MPEG audio (MP3)\r\n\r\nInput: %s\r\n"
                         "Output: %s (not found)" % (self.win(self.music / "kaputt.mp3"),
                                                     self.win(self.music / "kaputt.wav")))
        self.window_job("&Encode", self.music / "good.wav", self.music / "good.mp3")
        self.read_notice("Encoding finished.\r\n\r\nInput: %s\r\nOutput: %s"
                         % (self.win(self.music / "good.wav"), self.win(self.music / "good.mp3")))
        self.assert_no_box()
        self.assertEqual(sorted(listing(self.music)),
                         ["broken.wav", "good.mp3", "good.wav", "kaputt.mp3", "song.mp3"])
        self.assert_left_clean()  # the coders' notes too, once told

    def test_a_list_with_failures_says_which_and_keeps_their_inputs(self):
        files = {"one.wav": wav_bytes(1.0), "broken (1).wav": NOT_AUDIO,
                 "cut short.wav": cut_short(3.0, 1.0), "broken 2.wav": CUT_IN_FORMAT,
                 "five.wav": wav_bytes(1.0)}
        self.put(self.music, files)
        out = self.folder.host.parent / "Out Folder"
        self.start_main()
        self.list_job("En&code list", [self.music / name for name in files], out,
                      delete_after=True)
        box = self.report_box("Error", "2 of 5 files could not be encoded:"
                                       "\n%s: %s\n%s: %s\n\n"
                                       "1 of 5 files were encoded with a warning:"
                                       "\n%s: the WAV file ended early: 1.0 s of 3.0 s coded"
                              % (self.win(self.music / "broken (1).wav"), NOT_AUDIO_REASON,
                                 self.win(self.music / "broken 2.wav"), CUT_IN_FORMAT_REASON,
                                 self.win(self.music / "cut short.wav")))
        self.screenshot("list-failed", box)
        box.answer("OK")
        self.assertEqual(listing(self.music), {"broken (1).wav": NOT_AUDIO,
                                               "broken 2.wav": CUT_IN_FORMAT})
        self.assertEqual(sorted(listing(out)), ["cut short.mp3", "five.mp3", "one.mp3"])
        self.assert_mp3(out / "cut short.mp3", 1.0)

    def test_the_list_notice_alone_names_the_files_that_failed_as_the_user_knows_them(self):
        self.folder.write_lines("Prefs.ini", LIST_NOTICE_PREFS)
        self.put(self.music, {"good.wav": wav_bytes(1.0), "broken (1).wav": NOT_AUDIO})
        out = self.folder.host.parent / "Out Folder"
        self.start_main()
        self.list_job("En&code list", [self.music / "good.wav", self.music / "broken (1).wav"],
                      out)
        # By its long name, not by a short name the user never saw.
        self.read_notice("List process finished, but 1 file could not be converted:\r\n\r\n"
                         "broken (1).wav: %s\r\n\r\nOutput folder: %s\\"
                         % (NOT_AUDIO_REASON, self.win(out)))
        self.assert_no_box()
        self.assert_left_clean()

    def test_a_cut_short_wave_is_encoded_with_a_warning(self):
        self.put(self.music, {"cut short.wav": cut_short(3.0, 1.2)})
        self.start_main()
        self.window_job("&Encode", self.music / "cut short.wav", self.music / "cut short.mp3")
        box = self.report_box("Warning", "%s was encoded to %s, with a warning: the WAV file "
                                         "ended early: 1.2 s of 3.0 s coded."
                              % (self.win(self.music / "cut short.wav"),
                                 self.win(self.music / "cut short.mp3")))
        self.screenshot("encode-warning", box)
        box.answer("OK")
        self.assert_mp3(self.music / "cut short.mp3", 1.2)

    def test_unattended_encode_reports_on_standard_error_and_in_its_exit_status(self):
        self.folder.write_lines("Prefs.ini", NOTICE_PREFS)  # no notice all the same
        self.put(self.music, {"broken.wav": CUT_IN_FORMAT, "good.wav": wav_bytes(1.0)})
        broken, good = self.win(self.music / "broken.wav"), self.win(self.music / "good.wav")
        missing = self.win(self.music / "missing.wav")
        # A box would hold the run for ever: that it ends at all shows there was none.
        self.assertEqual(self.encode_unattended(self.music / "broken.wav"),
                         (1, "%s could not be encoded: %s.\nNo file was made at %s.\r\n"
                          % (broken, CUT_IN_FORMAT_REASON, broken[:-4] + ".mp3")))
        self.assertEqual(self.encode_unattended(self.music / "missing.wav"),
                         (1, "Cannot open file %s\r\n" % missing))
        self.assertEqual(self.encode_unattended(self.music / "good.wav"), (0, ""))
        self.assertEqual(sorted(listing(self.music)), ["broken.wav", "good.mp3", "good.wav"])
        self.assert_mp3(self.music / "good.mp3", 1.0)
        self.assertEqual(self.driver.processes_named("Message.exe"), [], "no notice window")
        self.assert_left_clean()


class ReadOnlyOutputFolderTest(ReadOnlyFolders, JobTestCase):
    def test_an_output_folder_that_cannot_be_written_refuses_the_job(self):
        out = self.folder.host.parent / "Read-only"
        self.put(out, {"song.mp3": b"older result"})
        self.put(self.music, {"song.wav": wav_bytes(1.0)})
        self.make_read_only(out)
        self.start_main()

        self.main.child(cls="Edit", index=0).set_text(self.win(self.music / "song.wav"))
        self.main.child(cls="Edit", index=1).set_text(self.win(out / "song.mp3"))
        self.main.child(caption="&Encode").click()
        box = self.report_box("Error", "Cannot create file %s" % self.win(out / "song.mp3"))
        self.screenshot("read-only-output", box)
        box.answer("OK")
        self.assertFalse(self.folder.exists("Encoding.bat"), "no job started")

        self.list_job("En&code list", [self.music / "song.wav"], out, delete_after=True,
                      refused="Cannot write to the output folder %s\\" % self.win(out))
        self.assertFalse(self.folder.exists("Encoding.bat"), "no job started")
        self.assertEqual(listing(out), {"song.mp3": b"older result"})
        self.assertEqual(sorted(listing(self.music)), ["song.wav"])


# ------------------------------------------------------------------ names as long as Windows allows


class LongNamesTest(JobTestCase):
    """Paths up to Windows' 259 characters, which in UTF-8 run past any byte
    buffer of MAX_PATH: the program itself in a long Japanese folder, a 104-
    character Japanese path (280 bytes) and one of 250 characters."""

    # 270 bytes in UTF-8: korimba.exe lies past a byte buffer of MAX_PATH.
    LONG_FOLDER = "長い名前のフォルダー" * 4 + "/" + "長い名前のフォルダー" * 5

    def _short_name(self):
        return "長い名前"  # the test's folder: few ASCII characters in the paths

    def setUp(self):
        super().setUp()
        self.folder = self.program_folder(self.LONG_FOLDER)
        self.folder.write_lines("Settings.ini",
                                [self.folder.win("l3enc.exe"), self.folder.win("l3dec.exe")])
        self.folder.write_lines("Prefs.ini", QUIET_PREFS)
        self.music = self.folder.host.parent / "音楽"
        self.songs = [self.padded(104, "フォルダー", JAPANESE + ".wav"),
                      self.padded(250, "F", "A long song name.wav")]
        for song in self.songs:
            self.put(song.parent, {song.name: wav_bytes(1.0)})

    def padded(self, length, filler, name):
        """A song in a folder of the filler that makes its path length characters."""
        room = length - len(self.win(self.music)) - 2 - len(name)
        return self.music / (filler * room)[:room] / name

    def test_dropped_chosen_encoded_alone_and_in_lists_and_decoded_back(self):
        self.assertEqual([len(self.win(song)) for song in self.songs], [104, 250])
        self.assertGreater(len(self.win(self.songs[0]).encode("utf-8")), 255)
        self.folder.write_lines("Prefs.ini", NOTICE_PREFS)
        self.start_main()
        self.main.drop(self.win(self.songs[0]))
        self.main.child(cls="Edit", index=0).wait_text(self.win(self.songs[0]))
        self.main.child(caption="...").click()
        dialog = self.program.window(caption="Select an input file")
        dialog.child(cls="Edit", index=0).set_text(self.win(self.songs[1]))
        dialog.child(caption="&Open").click()
        self.main.child(cls="Edit", index=0).wait_text(self.win(self.songs[1]))
        for song in self.songs:
            self.window_job("&Encode", song, song.with_suffix(".mp3"))
            self.assert_no_box()
            self.read_notice("Encoding finished.\r\n\r\nInput: %s\r\nOutput: %s"
                             % (self.win(song), self.win(song.with_suffix(".mp3"))))
            self.assert_mp3(song.with_suffix(".mp3"), 1.0)
            song.with_suffix(".mp3").unlink()
        out, back = self.music / "出力", self.music / "戻り"
        results = [out / song.with_suffix(".mp3").name for song in self.songs]
        for command, inputs, folder in (("En&code list", self.songs, out),
                                        ("Dec&ode list", results, back)):
            self.list_job(command, inputs, folder)
            self.assert_no_box()
        for song, result in zip(self.songs, results):
            self.assert_mp3(result, 1.0)
            self.assert_wav(back / song.name, 1.0)
        self.assert_left_clean()


class OtherScriptsShownTest(JobTestCase):
    """Japanese and Greek names show their glyphs where the program shows a name
    (the input field, the status caption, the list, the notice), with the
    test prefix's stand-in of the linked face (scripts/wine-fonts.sh). A glyph
    missing in every font is drawn as the same box whatever the character: a
    name of private-use characters of the same length must look different
    from the real one. Which face is asked for, the Win32 tests check."""

    REAL = JAPANESE + " " + GREEK
    MISSING = "".join(chr(0xE000 + i) for i in range(len(REAL)))

    def _short_name(self):
        return "glyphs"  # the name in sight in the input field

    def setUp(self):
        super().setUp()
        self.folder.copy_programs(("gatecoder.exe",))
        self.folder.write_lines("Settings.ini", [self.folder.win("gatecoder.exe")] * 2)
        self.folder.write_lines("Prefs.ini", NOTICE_PREFS)

    def looks(self, stem):
        """The pixels of each place that shows the name, during and after a job on it."""
        song = self.music / (stem + ".wav")
        self.put(self.music, {song.name: wav_bytes(1.0)})
        self.start_main()
        self.main.child(cls="Edit", index=0).set_text(self.win(song))
        self.main.child(cls="Edit", index=1).set_text(self.win(song.with_suffix(".mp3")))
        looks = {"input": self.main.child(cls="Edit", index=0).pixels()}
        self.main.child(caption="&Encode").click()
        gate = self.folder.path("gatecoder")
        wait_until(lambda: gate.with_suffix(".waiting").exists(), JOB_TIMEOUT)
        label = self.label("Encoding")
        wait_until(lambda: stem[:5] in label.text)
        looks["caption"] = label.pixels()
        gate.with_suffix(".open").write_bytes(b"")
        wait_until(lambda: not self.folder.exists("Encoding.bat"), JOB_TIMEOUT)
        notice = wait_until(lambda: self.driver.find({"cls": "KorimbaMessage", "visible": True}),
                            JOB_TIMEOUT)
        looks["notice"] = notice.child(cls="Static").pixels()
        self.screenshot("glyphs-notice-" + stem[:2], notice)
        notice.close()
        notice.wait_gone()  # not to be found again for the next name
        listing = self.open_list()
        listing.drop(self.win(song))
        looks["list"] = listing.child(cls="Edit", index=0).pixels()
        self.screenshot("glyphs-list-" + stem[:2], listing)
        self.program.kill()
        return looks

    def test_names_beyond_the_code_page_show_their_glyphs(self):
        real, missing = self.looks(self.REAL), self.looks(self.MISSING)
        for place in real:
            self.assertTrue(real[place] != missing[place], "%s shows boxes" % place)


if __name__ == "__main__":
    unittest.main()
