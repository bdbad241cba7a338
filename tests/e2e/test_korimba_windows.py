"""The real korimba.exe under Wine: start-up, settings files, the dialogs, closing."""

import unittest

from korimba_e2e import E2ETestCase, bitmap, host_path


class KorimbaTestCase(E2ETestCase):
    def main_window(self, program):
        return program.window(cls="TForm1")

    def open_system_item(self, program, main, key):
        """Drops the System menu down and chooses an item by its accelerator key."""
        main.child(caption="      &System  ").click()
        self.driver.wait_window({"pid": program.pid, "cls": "#32768", "visible": True})
        main.real_key(key)

    def open_preferences(self, program, main):
        self.open_system_item(program, main, "s")
        return program.window(cls="TForm7")

    def close_dialog(self, dialog):
        dialog.child(caption="&Close").click()
        dialog.wait_gone()


class StartupTest(KorimbaTestCase):
    def test_quoted_short_argument_becomes_the_long_input_and_enables_encode(self):
        track = host_path("C:\\") / "Some Folder" / "track.wav"
        track.parent.mkdir(exist_ok=True)
        track.write_bytes(b"RIFF")
        short = self.driver.short_path("C:\\Some Folder\\track.wav")
        self.assertNotIn(" ", short)
        folder = self.program_folder("Korimba Folder")
        program = self.start_korimba(folder, command_line='"%s"' % short)
        main = self.main_window(program)
        self.assertEqual(main.child(cls="Edit", index=0).text, "C:\\Some Folder\\track.wav")
        self.assertTrue(main.child(caption="&Encode").enabled)
        self.assertFalse(main.child(caption="&Decode").enabled)
        self.assertEqual(main.child(cls="Edit", index=1).text, "C:\\Some Folder\\",
                         "activation enters the output field, which completes it")
        self.assertEqual(self.driver.get_profile("Korimba", "Path"), folder.win().rstrip("\\"))
        self.screenshot("main-with-input", main)

    def test_first_run_shows_an_idle_main_window(self):
        folder = self.program_folder()
        program = self.start_korimba(folder)
        main = self.main_window(program)
        self.assertEqual(main.caption, "Korimba for Windows 95")
        self.assertEqual(main.child(cls="ComboBox").combo()["text"], "112000 Bit/s")
        for caption in ("&Encode", "&Decode", "En&code list", "Dec&ode list"):
            self.assertFalse(main.child(caption=caption).enabled, caption)
        self.assertTrue(main.child(caption="Crea&te list").enabled)
        self.assertTrue(main.child(caption="Check ISO/MPEG c&rc").checked)
        self.screenshot("main", main)

    def test_missing_bitmap_of_an_enabled_package_is_reported_and_startup_goes_on(self):
        folder = self.program_folder()
        folder.write_bytes("Images\\left.bmp", bitmap(1, 1, lambda x, y: (0, 255, 0)))
        folder.write_bytes("Images\\images.set", b"")
        program = self.start_korimba(folder)
        expected = "Cannot open file " + folder.win("Images\\right.bmp")
        for _ in range(3):  # the main window, the list window, the preferences
            box = program.message_box()
            self.assertEqual((box.title, box.message), ("Error", expected))
            box.answer("OK")
        main = self.main_window(program)
        self.assertTrue(main.visible)
        self.screenshot("main-after-package-error", main)


class SettingsDialogsTest(KorimbaTestCase):
    def test_settings_files_show_up_in_the_dialogs(self):
        folder = self.program_folder()
        folder.write_lines("Settings.ini", ["C:\\Coders\\l3enc.exe", "C:\\Coders\\l3dec.exe"])
        prefs = ["Normal", "Yes", "No", "Yes", "Yes", "No", "Yes", "Yes", "2", "D:\\Out\\", "Yes"]
        folder.write_lines("Prefs.ini", prefs)
        program = self.start_korimba(folder)
        main = self.main_window(program)
        preferences = self.open_preferences(program, main)
        self.assertTrue(preferences.child(caption="&Normal").checked)
        self.assertFalse(preferences.child(caption="&Minimized").checked)
        self.assertTrue(preferences.child(caption="&Other:").checked)
        self.assertFalse(preferences.child(caption="&Encoding").checked)
        self.assertEqual(preferences.child(cls="Edit").text, "D:\\Out\\")
        self.screenshot("preferences", preferences)

        preferences.child(caption="&Path settings").click()
        paths = program.window(cls="TForm2")
        self.assertEqual(paths.child(cls="Edit", index=0).text, "C:\\Coders\\l3enc.exe")
        self.assertEqual(paths.child(cls="Edit", index=1).text, "C:\\Coders\\l3dec.exe")
        self.screenshot("tool-paths", paths)
        self.close_dialog(paths)
        self.close_dialog(preferences)
        # Written back as it was read, and the twelfth line that older versions lack.
        self.assertEqual(folder.read_lines("Prefs.ini"), prefs + ["No"])

    def test_tool_paths_dialog_saves_and_completes_the_other_tool(self):
        folder = self.program_folder()
        folder.write_bytes("Coders\\l3enc.exe", b"MZ")
        folder.write_bytes("Coders\\l3dec.exe", b"MZ")
        program = self.start_korimba(folder)
        main = self.main_window(program)
        preferences = self.open_preferences(program, main)
        preferences.child(caption="&Path settings").click()
        paths = program.window(cls="TForm2")
        # No Settings.ini yet: the coders beside the program.
        self.assertEqual([paths.child(cls="Edit", index=i).text for i in (0, 1)],
                         [folder.win("l3enc.exe"), folder.win("l3dec.exe")])
        paths.child(cls="Edit", index=1).set_text("")
        paths.child(cls="Edit", index=0).set_text(folder.win("Coders\\l3enc.exe"))
        paths.child(cls="Edit", index=1).wait_text(folder.win("Coders\\l3dec.exe"))
        paths.child(caption="&Save").click()
        paths.wait_gone()
        self.assertEqual(folder.read_lines("Settings.ini"),
                         [folder.win("Coders\\l3enc.exe"), folder.win("Coders\\l3dec.exe")])
        self.close_dialog(preferences)


class AboutBoxTest(KorimbaTestCase):
    def test_about_box_shows_name_and_version_and_closes(self):
        folder = self.program_folder()
        program = self.start_korimba(folder)
        main = self.main_window(program)
        self.open_system_item(program, main, "a")
        about = program.window(cls="TForm4")
        self.assertEqual(about.caption, "About Korimba for Windows 95")
        self.assertEqual(about.child(cls="TLabel", index=0).text, "Korimba for Windows 95 ")
        self.assertEqual(about.child(cls="TLabel", index=1).text, "Version: 2.1.5")
        self.screenshot("about", about)
        self.close_dialog(about)


class DropTest(KorimbaTestCase):
    def test_dropped_files_fill_the_input_or_go_to_the_list_window(self):
        folder = self.program_folder()
        program = self.start_korimba(folder)
        main = self.main_window(program)
        main.drop("D:\\Music\\Night and day.WAV")
        main.child(cls="Edit", index=0).wait_text("D:\\Music\\Night and day.WAV")
        self.assertTrue(main.child(caption="&Encode").enabled)

        main.drop("D:\\Music\\notes.txt")
        box = program.message_box()
        self.assertEqual((box.title, box.message, box.buttons),
                         ("Error", "You may only drop Wave (*.wav) or MP3 (*.mp3) files.", ["OK"]))
        box.answer("OK")
        self.assertEqual(main.child(cls="Edit", index=0).text, "D:\\Music\\Night and day.WAV")

        main.drop("D:\\a.wav", "D:\\b.wav")
        listing = program.window(cls="TForm6")
        main.wait_gone()
        self.assertEqual(listing.rect()["window"][:2], main.rect()["window"][:2])
        self.screenshot("list-window", listing)

        # Closing the list window gives the main window back, and it can end the program.
        self.close_dialog(listing)
        main = self.main_window(program)
        main.child(caption="E&xit").click()
        self.assertEqual(program.wait_exit(), 0)


class ClosingTest(KorimbaTestCase):
    def test_exit_stores_the_options_and_removes_the_notice(self):
        folder = self.program_folder()
        folder.write_text("message.txt", "Welcome\r\n")
        program = self.start_korimba(folder)
        main = self.main_window(program)
        main.child(caption="Make &mono").click()
        main.child(caption="E&xit").click()
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(folder.read_bytes("options.ini"), b"No\r\nYes\r\nYes\r\n7\r\nNo\r\n")
        self.assertFalse(folder.exists("message.txt"))

    def test_changed_preferences_are_loaded_after_a_restart(self):
        folder = self.program_folder()
        program = self.start_korimba(folder)
        main = self.main_window(program)
        main.child(caption="High q&uality").click()
        preferences = self.open_preferences(program, main)
        preferences.child(caption="Ma&ximized").click()
        preferences.child(caption="&Reload last settings at startup").click()
        self.close_dialog(preferences)
        main.close()
        self.assertEqual(program.wait_exit(), 0)
        # The defaults but for the two changes; no Prefs.ini had named another folder.
        self.assertEqual(folder.read_lines("Prefs.ini"),
                         ["Maximized", "No", "Yes", "Yes", "Yes", "Yes", "Yes", "Yes", "1", "",
                          "No", "No"])
        self.assertEqual(folder.read_lines("options.ini"), ["Yes", "No", "Yes", "7", "No"])

        program = self.start_korimba(folder)
        main = self.main_window(program)
        self.assertTrue(main.child(caption="High q&uality").checked)
        preferences = self.open_preferences(program, main)
        self.assertTrue(preferences.child(caption="Ma&ximized").checked)
        self.assertTrue(preferences.child(caption="&Reload last settings at startup").checked)
        self.close_dialog(preferences)

    def test_a_folder_of_any_name_survives_a_restart(self):
        # Greek and Japanese: in no legacy code page together.
        folder_name = "D:\\Ausgabe \u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u65E5\u672C\\"
        folder = self.program_folder()
        program = self.start_korimba(folder)
        main = self.main_window(program)
        preferences = self.open_preferences(program, main)
        preferences.child(cls="Edit", index=0).set_text(folder_name)
        self.close_dialog(preferences)
        main.close()
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(folder.read_bytes("Prefs.ini").split(b"\r\n")[9],
                         folder_name.encode("utf-8"))

        program = self.start_korimba(folder)
        main = self.main_window(program)
        preferences = self.open_preferences(program, main)
        self.assertEqual(preferences.child(cls="Edit", index=0).text, folder_name)
        self.close_dialog(preferences)


if __name__ == "__main__":
    unittest.main()
