"""The System menu's maintenance and the visual package in the real program."""

import shutil
import subprocess
import unittest

from korimba_e2e import E2ETestCase, build_dir, screenshot, wait_until

GREY = (188, 188, 188)
WHITE = (255, 255, 255)


def pixel(png, x, y):
    """The colour at a point of a screenshot, as (r, g, b)."""
    text = subprocess.run(["convert", str(png), "-format", "%%[pixel:p{%d,%d}]" % (x, y), "info:"],
                          capture_output=True, text=True, check=True).stdout
    values = text[text.index("(") + 1:text.index(")")].split(",")
    return tuple(int(round(float(v.rstrip("%")) * (2.55 if v.endswith("%") else 1)))
                 for v in values[:3])


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

    def colour_at(self, window, x, y, name):
        """The colour of a window's client point, from a screenshot of the screen."""
        left, top = window.rect()["client"][:2]
        window.sync()
        return pixel(screenshot(self._short_name() + "-" + name), left + x, top + y)


class FixProcessesTest(SystemMenuTestCase):
    def test_damaged_and_missing_settings_come_back_byte_for_byte(self):
        folder = self.program_folder()
        folder.copy_programs(("encoding.dat", "decoding.dat"), source=build_dir() / "program")
        folder.write_bytes("encoding.pif", b"damaged")
        self.start_main(folder)
        self.system_item("f", "f")
        box = self.program.message_box()
        self.assertTrue(box.message.startswith("This will fix the encoding and decoding"))
        box.answer("&Yes")
        box = self.program.message_box()
        self.assertEqual((box.title, box.message),
                         ("Information", "The Dos-windows have been fixed."))
        box.answer("OK")
        for stem in ("encoding", "decoding"):
            self.assertEqual(folder.read_bytes(stem + ".pif"), folder.read_bytes(stem + ".dat"))


class VisualPackageTest(SystemMenuTestCase):
    def restarted(self, old):
        """The instance that the package button started, once the old one has ended."""
        old.wait_exit(timeout=15)
        new = wait_until(lambda: [p for p in self.driver.processes_named("korimba.exe")
                                  if p.pid != old.pid], 15)[0]
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
        self.assertIn("restart Korimba. Continue?", box.message)
        box.answer("&Yes")
        return self.restarted(self.program)

    def test_sample_package_turns_the_windows_white_and_back(self):
        folder = self.program_folder()
        shutil.copytree(build_dir() / "program" / "samples" / "Images", folder.path("Images"))
        before = sorted(p.name for p in folder.path("Images").iterdir())
        folder.write_text("message.txt", "Welcome\n")
        self.start_main(folder)
        self.assertEqual(self.colour_at(self.main, 200, 250, "designed"), GREY)

        self.press_package_button("Enable p&ackage")
        self.assertFalse(folder.exists("options.ini"), "no close steps at a restart")
        self.assertTrue(folder.exists("message.txt"))
        self.assertEqual(self.colour_at(self.main, 400, 20, "title-white"), WHITE)
        r, g, b = self.colour_at(self.main, 50, 250, "left-picture")
        self.assertTrue(b > r and (r, g, b) != GREY, "the left panel shows the pale blue picture")
        self.assertNotEqual(self.colour_at(self.main, 200, 250, "right-picture"), GREY)
        self.screenshot("main-with-package", self.main)

        self.system_item("a")
        about = self.program.window(cls="TForm4")
        r, g, b = self.colour_at(about, 230, 200, "about")
        self.assertTrue(b > r, "the about box shows the left picture")
        self.screenshot("about-with-package", about)
        about.child(caption="&Close").click()
        about.wait_gone()

        self.press_package_button("Disable p&ackage")
        self.assertEqual(self.colour_at(self.main, 200, 250, "designed-again"), GREY)
        self.assertEqual(sorted(p.name for p in folder.path("Images").iterdir()), before)


if __name__ == "__main__":
    unittest.main()
