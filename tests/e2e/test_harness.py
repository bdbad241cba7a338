"""Self-tests of the end-to-end harness against kfixture.exe, a small window of our own."""

import struct
import unittest

from korimba_e2e import (
    DriverError,
    E2ETestCase,
    HarnessError,
    ProgramFolder,
    WaitTimeout,
    build_dir,
    host_path,
    quote_arguments,
    wait_until,
    win_ini,
    windows_path,
)

FIXTURE_CLASS = "KFixture"


class FixtureTestCase(E2ETestCase):
    def start_fixture(self, arguments=()):
        folder = self.program_folder("Fixture Folder", programs=())
        folder.copy_programs(["kfixture.exe"])
        program = self.start(folder.win("kfixture.exe"), arguments)
        window = program.window(cls=FIXTURE_CLASS, caption="Harness fixture")
        return program, window


class WindowsAndControlsTest(FixtureTestCase):
    def test_finds_the_window_its_controls_and_the_arguments(self):
        program, window = self.start_fixture(["C:\\Some Folder\\track one.wav", "/encode"])
        info = window.info()
        self.assertEqual((info["pid"], info["class"]), (program.pid, FIXTURE_CLASS))
        self.assertTrue(info["visible"] and info["enabled"])
        self.assertIn(window.hwnd, [w["hwnd"] for w in program.windows()])

        edit = window.child(cls="Edit")
        self.assertEqual(edit.text, "C:\\Some Folder\\track one.wav|/encode")
        self.assertEqual(edit.info()["id"], 101)
        # Children count in creation order: Check me, Ask, Go.
        self.assertEqual(window.child(cls="Button", index=2).caption, "&Go")
        self.assertEqual(window.child(id=104).caption, "&Ask")
        self.assertEqual(len(window.children()), 6)
        with self.assertRaises(HarnessError):
            window.child(cls="Button", index=3)

        # Where the fixture puts itself, 340 x 170 at (100, 80); its frame as wide
        # on the left, the right and the bottom, with the title bar above.
        rects = window.rect()
        self.assertEqual(rects["window"], [100, 80, 440, 250])
        left, top, right, bottom = rects["window"]
        c_left, c_top, c_right, c_bottom = rects["client"]
        frame = c_left - left
        self.assertEqual((right - c_right, bottom - c_bottom), (frame, frame))
        self.assertGreater(c_top - top, frame)

    def test_set_text_reads_back_and_reports_the_change(self):
        _, window = self.start_fixture()
        edit = window.child(cls="Edit")
        edit.set_text("Grüße, 100 °C")
        self.assertEqual(edit.text, "Grüße, 100 °C")
        self.assertEqual(window.child(id=106).text, "Changed 1")

    def test_check_box_and_combobox(self):
        _, window = self.start_fixture()
        check = window.child(caption="&Check me")
        status = window.child(id=106)
        self.assertEqual(check.checked, 0)
        check.click()
        wait_until(lambda: check.checked == 1, message="the check box checked",
                   seen=lambda: "its state is %s" % check.checked)
        status.wait_text("Checked")

        combo = window.child(cls="ComboBox")
        self.assertEqual(combo.combo(),
                         {"index": 1, "text": "Beta", "count": 3,
                          "items": ["Alpha", "Beta", "Gamma"]})
        combo.select(2)
        status.wait_text("Selected Gamma")
        self.assertEqual(combo.combo()["text"], "Gamma")
        with self.assertRaises(DriverError):
            combo.select(5)


class MessageBoxTest(FixtureTestCase):
    def test_a_click_that_opens_a_box_returns_and_the_box_is_answered(self):
        program, window = self.start_fixture()
        edit = window.child(cls="Edit")
        ask = window.child(caption="&Ask")

        ask.click()
        box = program.message_box()
        self.assertEqual((box.title, box.message, box.buttons),
                         ("Fixture question", "Do you agree?", ["Yes", "No"]))
        box.answer("Yes")
        edit.wait_text("Yes")
        self.assertIsNone(program.message_box_now())

        ask.click()
        box = program.message_box()
        box.child(caption="&No").click()  # the box's own button, as a user would press it
        box.wait_gone()
        edit.wait_text("No")

        ask.click()
        with self.assertRaises(DriverError):
            program.message_box().answer("Maybe")


class KeyboardAndMouseTest(FixtureTestCase):
    def test_accelerator_by_message_by_system_input_and_by_x(self):
        program, window = self.start_fixture()
        edit = window.child(cls="Edit")
        window.alt_key("G")
        edit.wait_text("Go 1")
        window.real_key("alt+g")
        edit.wait_text("Go 2")
        window.xdotool("key", "alt+g")
        edit.wait_text("Go 3")
        # Each way pressed the button once: the fixture exits with the count.
        window.close()
        self.assertEqual(program.wait_exit(), 3)

    def test_focus_typing_and_mouse(self):
        _, window = self.start_fixture()
        edit = window.child(cls="Edit")
        go = window.child(caption="&Go")
        self.assertTrue(edit.focus())
        self.assertEqual(window.focused(), edit)
        window.type("abc")
        edit.wait_text("abc")
        window.key("BACK")
        edit.wait_text("ab")
        window.xdotool("type", "Xy")
        edit.wait_text("abXy")

        status = window.child(id=106)
        window.mouse("click", 200, 120)
        status.wait_text("Mouse 200,120")
        window.real_mouse("click", 210, 125)
        status.wait_text("Mouse 210,125")
        go.mouse("click", 5, 5)
        edit.wait_text("Go 1")
        go.real_mouse("click", 5, 5)
        edit.wait_text("Go 2")


class DropTest(FixtureTestCase):
    def test_dropped_files_arrive_in_order_and_again(self):
        program, window = self.start_fixture()
        edit = window.child(cls="Edit")
        window.drop("C:\\Some Folder\\one.wav", "Z:\\tmp\\two.mp3")
        edit.wait_text("C:\\Some Folder\\one.wav|Z:\\tmp\\two.mp3")
        # DragFinish of the first drop must leave the program working.
        window.drop("C:\\third.snd")
        edit.wait_text("C:\\third.snd")
        self.assertTrue(program.running)


class ScreenshotAndExitTest(FixtureTestCase):
    def test_screenshot_is_a_png_of_the_window(self):
        _, window = self.start_fixture()
        left, top, right, bottom = window.rect()["window"]
        shot = self.screenshot("fixture", window)
        self.assertEqual(shot.parent, build_dir() / "screenshots")
        data = shot.read_bytes()
        self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
        width, height = struct.unpack(">II", data[16:24])
        self.assertEqual((width, height), (right - left, bottom - top))

    def test_exit_and_kill_are_seen(self):
        program, window = self.start_fixture()
        self.assertTrue(program.running)
        window.close()
        window.wait_gone()
        self.assertEqual(program.wait_exit(), 0)
        self.assertFalse(window.exists)

        second, _ = self.start_fixture()
        with self.assertRaises(WaitTimeout):
            second.wait_exit(timeout=0.1)
        second.kill()
        self.assertFalse(second.running)


class ProcessTreeTest(FixtureTestCase):
    def test_teardown_ends_what_the_started_programs_started(self):
        folder = self.program_folder("Fixture Folder", programs=())
        folder.copy_programs(["kfixture.exe"])
        shell = self.start("C:\\windows\\system32\\cmd.exe",
                           command_line='/c "%s"' % folder.win("kfixture.exe"))
        window = self.driver.wait_window({"cls": FIXTURE_CLASS, "visible": True})
        [fixture] = self.driver.processes_named("KFIXTURE.EXE")
        self.assertTrue(fixture.running)
        self.end_programs()
        self.assertFalse(shell.running)
        self.assertFalse(fixture.running)
        self.assertFalse(window.exists)


    def test_console_output_of_a_started_program_stays_out_of_the_answers(self):
        shell = self.start("C:\\windows\\system32\\cmd.exe", command_line="/c echo noise")
        self.assertEqual(shell.wait_exit(), 0)
        self.assertEqual(self.driver.call("ping"), "pong")


class ProfileAndPathsTest(FixtureTestCase):
    def test_win_ini_values_round_trip(self):
        section = "Korimba e2e"
        self.addCleanup(self.driver.delete_profile, section, "Path")
        self.driver.set_profile(section, "Path", "C:\\e2e\\Some Folder")
        self.assertEqual(self.driver.get_profile(section, "Path"), "C:\\e2e\\Some Folder")
        self.assertIn("Path=C:\\e2e\\Some Folder", win_ini().read_text(encoding="cp1252"))
        self.driver.delete_profile(section, "Path")
        self.assertIsNone(self.driver.get_profile(section, "Path"))

    def test_program_folder_paths_and_files(self):
        folder = ProgramFolder("paths", "Folder With Blanks")
        self.assertTrue(folder.windows.startswith("C:\\e2e\\paths\\Folder With Blanks"))
        self.assertTrue(folder.windows.endswith("\\"))
        folder.write_lines("Sub\\Prefs.ini", ["Yes", "", "No"])
        self.assertEqual(folder.read_bytes("Sub/Prefs.ini"), b"Yes\r\n\r\nNo\r\n")
        self.assertEqual(folder.read_lines("Sub\\Prefs.ini"), ["Yes", "", "No"])
        folder.write_bytes("bare.txt", b"no line end")
        with self.assertRaises(HarnessError):
            folder.read_lines("bare.txt")
        # Windows names are case-blind; the host's are not.
        self.assertEqual(host_path(folder.win("SUB\\prefs.INI")), folder.path("Sub/Prefs.ini"))
        self.assertEqual(windows_path(folder.path("Sub")), folder.win("Sub"))
        self.assertEqual(windows_path("/tmp"), "Z:\\tmp")
        self.assertEqual(host_path("Z:\\tmp"), host_path("z:/tmp"))

    def test_command_lines_quote_only_what_has_blanks(self):
        self.assertEqual(quote_arguments(["C:\\Some Folder\\", "/encode", ""]),
                         '"C:\\Some Folder\\" /encode ""')
        with self.assertRaises(HarnessError):
            quote_arguments(['say "hi"'])


class RealProgramTest(E2ETestCase):
    def test_korimba_starts_in_a_folder_with_blanks_and_closes(self):
        folder = self.program_folder("Korimba Folder")
        program = self.start_korimba(folder)
        main = program.window(cls="TForm1", caption="Korimba for Windows 95")
        self.screenshot("main", main)
        main.close()
        self.assertEqual(program.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
