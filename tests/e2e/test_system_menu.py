"""The System menu's maintenance and the visual package in the real program."""

import shutil
import unittest

from button_pixels import describe
from korimba_e2e import E2ETestCase, Window, build_dir, image_pixels, wait_until

GREY = (188, 188, 188)
WHITE = (255, 255, 255)


def stretch_fits(shown, source, skip=()):
    """Whether a line of pixels is the line source stretched (or shrunk) to its
    length pixel by pixel, as a picture drawn without blending shows it: the
    first pixel the source's first, the last its last, and each the pixel a
    whole step on from the one before (the integer part of the ratio of the
    lengths, or one more). Positions in skip, such as a line drawn across, may
    show anything."""
    size, length = len(shown), len(source)
    steps = {length // size, -(-length // size)} if length >= size else {0, 1}
    feasible = {0} if 0 in skip or shown[0] == source[0] else set()
    for position in range(1, size):
        feasible = {i + step for i in feasible for step in steps
                    if i + step < length and (position in skip or source[i + step] == shown[position])}
    return length - 1 in feasible


def column(rows, x):
    return [row[x] for row in rows]


class SystemMenuTestCase(E2ETestCase):
    def start_main(self, folder):
        self.program = self.start_korimba(folder)
        self.main = self.program.window(cls="TForm1")
        return self.main

    def system_item(self, *keys):
        """Drops the System menu down and chooses by accelerator keys, submenus first."""
        self.main.child(caption="      &System  ").click()
        self.driver.wait_window({"pid": self.program.pid, "cls": "#32768", "visible": True})
        for key in keys:
            self.main.real_key(key)

    def wait_pixels(self, window, check, what):
        """Until check(pixels of the window's client area) holds."""
        shown = []

        def holds():
            shown[:] = [window.pixels(area="client")]
            return check(shown[0])
        wait_until(holds, timeout=5, message=what,
                   seen=lambda: "the client area shows %s" % describe(shown[0]))
        return shown[0]


class FixProcessesTest(SystemMenuTestCase):
    def test_damaged_and_missing_settings_come_back_byte_for_byte(self):
        folder = self.program_folder()
        folder.copy_programs(("encoding.dat", "decoding.dat"), source=build_dir() / "program")
        folder.write_bytes("encoding.pif", b"damaged")
        self.start_main(folder)
        self.system_item("f", "f")
        box = self.program.message_box()
        self.assertEqual((box.title, box.message, box.buttons),
                         ("Confirm", "This will fix the encoding and decoding Dos-windows, when "
                                     "they freeze on the background. You do not have to restart "
                                     "Windows. Do you want to continue?", ["Yes", "No"]))
        box.answer("&Yes")
        box = self.program.message_box()
        self.assertEqual((box.title, box.message),
                         ("Information", "The Dos-windows have been fixed."))
        box.answer("OK")
        for stem in ("encoding", "decoding"):
            self.assertEqual(folder.read_bytes(stem + ".pif"), folder.read_bytes(stem + ".dat"))

        # A stored copy gone (a clean-up, an antivirus): that window keeps its settings.
        folder.remove("decoding.dat")
        folder.write_bytes("decoding.pif", b"settings of its own")
        self.system_item("f", "f")
        self.program.message_box().answer("&Yes")
        box = self.program.message_box()
        self.assertEqual((box.title, box.message),
                         ("Error", "The decoding Dos-window could not be fixed: %s is missing.\n"
                                   "The encoding Dos-window has been fixed."
                          % folder.win("decoding.dat")))
        box.answer("OK")
        self.assertEqual(folder.read_bytes("decoding.pif"), b"settings of its own")


class VisualPackageTest(SystemMenuTestCase):
    def restarted(self, old):
        """The instance that the package button started, once the old one has ended."""
        self.assertEqual(old.wait_exit(timeout=15), 0)
        new = wait_until(lambda: [p for p in self.driver.processes_named("korimba.exe")
                                  if p.pid != old.pid], 15,
                         message="a new korimba.exe after the restart",
                         seen=lambda: "running: %s" % self.driver.processes())[0]
        self._programs.append(new)
        self.program = new
        self.main = new.window(cls="TForm1")
        return new

    def press_package_button(self, caption):
        self.system_item("s")
        preferences = self.program.window(cls="TForm7")
        button = preferences.child(caption=caption)
        button.click()
        box = self.program.message_box()
        action = {"Enable p&ackage": "enable", "Disable p&ackage": "disable"}[caption]
        self.assertEqual((box.title, box.message, box.buttons),
                         ("Confirm", "This will %s the current installed package, and restart "
                                     "Korimba. Continue?" % action, ["Yes", "No"]))
        box.answer("&Yes")
        return self.restarted(self.program)

    def client_rect(self, window, child):
        """A child's rectangle in the window's client coordinates: left, top, width, height."""
        left, top, right, bottom = child.rect()["window"]
        c_left, c_top = window.rect()["client"][:2]
        return left - c_left, top - c_top, right - left, bottom - top

    def test_sample_package_turns_the_windows_white_and_back(self):
        folder = self.program_folder()
        shutil.copytree(build_dir() / "program" / "samples" / "Images", folder.path("Images"))
        before = sorted(p.name for p in folder.path("Images").iterdir())
        _, _, left_bmp = image_pixels(folder.path("Images/left.bmp"))
        _, _, right_bmp = image_pixels(folder.path("Images/right.bmp"))
        folder.write_text("message.txt", "Welcome\n")
        self.start_main(folder)
        self.wait_pixels(self.main, lambda shown: shown[250][200] == GREY, "the designed grey")

        self.press_package_button("Enable p&ackage")
        self.assertFalse(folder.exists("options.ini"), "no close steps at a restart")
        self.assertTrue(folder.exists("message.txt"))
        panels = [Window(self.driver, c["hwnd"]) for c in self.main.children()
                  if c["class"] == "TPanel"]
        _, top, _, _ = self.client_rect(self.main, panels[1])
        # The fields panel's picture lies inside its one-pixel bevel.
        f_left, f_top, f_width, f_height = self.client_rect(self.main, panels[2])
        f_left, f_top, f_right, f_bottom = f_left + 1, f_top + 1, f_left + f_width - 1, \
            f_top + f_height - 1

        def shows_the_package(shown):
            fields = [row[f_left:f_right] for row in shown[f_top:f_bottom]]
            return (shown[20][400] == WHITE
                    # The left picture, a column clear of the buttons.
                    and stretch_fits(column(shown[top:], 2), column(left_bmp, 0))
                    # The right one's edges, clear of the fields.
                    and stretch_fits(fields[0], right_bmp[0])
                    and stretch_fits(fields[-1], right_bmp[-1])
                    and stretch_fits(column(fields, 0), column(right_bmp, 0))
                    and stretch_fits(column(fields, -1), column(right_bmp, -1)))
        self.wait_pixels(self.main, shows_the_package,
                         "a white title, the left picture and the right one's edges")
        self.screenshot("main-with-package", self.main)

        self.system_item("a")
        about = self.program.window(cls="TForm4")
        # The left picture over the whole box; lines of the box's bevels cross it.
        self.wait_pixels(about, lambda shown: (
            stretch_fits(column(shown, 460), column(left_bmp, 0), skip=(88, 89, 128, 129))
            and stretch_fits(shown[-1], left_bmp[-1], skip=(17, 18, 449, 450))),
            "the about box shows the left picture")
        self.screenshot("about-with-package", about)
        about.child(caption="&Close").click()
        about.wait_gone()

        self.press_package_button("Disable p&ackage")
        self.wait_pixels(self.main, lambda shown: shown[250][200] == GREY,
                         "the designed grey again")
        self.assertEqual(sorted(p.name for p in folder.path("Images").iterdir()), before)


if __name__ == "__main__":
    unittest.main()
