"""The flat command buttons under real X pointer input: their looks at rest, under
the pointer and pressed, a release outside, Alt+S, and transparency over a picture."""

import unittest

from button_pixels import (SystemColors, describe, inside, look_of, point_away, positions,
                           ring, wait_look)
from korimba_e2e import DriverError, E2ETestCase, Window, bitmap, move_pointer, wait_until, xdotool


def striped_bitmap(width, height):
    """Vertical red and green stripes, 4 pixels wide."""
    return bitmap(width, height, lambda x, y: (255, 0, 0) if (x // 4) % 2 == 0 else (0, 255, 0))


class FlatButtonTestCase(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.colors = SystemColors(self.driver)

    def start_main(self, folder=None):
        folder = folder or self.program_folder()
        self.program = self.start_korimba(folder)
        return self.program.window(cls="TForm1")

    def button_rect(self, button):
        left, top, right, bottom = button.rect()["window"]
        return left, top, right - left, bottom - top

    def wait_look(self, button, look, what):
        """Until the button shows the look exactly; its pixels then."""
        return wait_look(button, self.colors, look, what)

    def point_at(self, button, x, y):
        left, top, _, _ = self.button_rect(button)
        move_pointer(left + x, top + y)

    def wait_capture(self, window, holder, what):
        wait_until(lambda: window.thread_state()["capture"] == holder, timeout=5, message=what,
                   seen=lambda: "the capture is with %s" % window.thread_state()["capture"])


class PointerLookTest(FlatButtonTestCase):
    def test_idle_hover_press_and_release_look_as_they_should(self):
        main = self.start_main()
        exit_button = main.child(caption="E&xit")
        point_away(main)
        idle = self.wait_look(exit_button, "idle", "at rest: flat, caption in the window text")
        self.screenshot("idle", main)
        letters = positions(idle, self.colors.text)

        self.point_at(exit_button, 20, 10)
        hot = self.wait_look(exit_button, "raised", "hover: raised bevel, highlight caption")
        self.screenshot("hover", main)
        self.assertEqual(positions(hot, self.colors.highlight), letters,
                         "the same caption in the highlight colour")

        xdotool("mousedown", 1)
        pressed = self.wait_look(exit_button, "sunken", "pressed: sunken bevel")
        self.wait_capture(main, exit_button.hwnd, "the pressed button holds the pointer")
        self.screenshot("pressed", main)
        self.assertEqual(positions(pressed, self.colors.highlight),
                         {(x + 1, y + 1) for x, y in letters},
                         "the caption one pixel right and down")

        # Out of the button with the button still down: the look goes back to rest.
        point_away(main)
        self.wait_look(exit_button, "idle", "pressed and left: flat again")
        xdotool("mouseup", 1)
        self.wait_capture(main, 0, "the release lets the pointer go")
        # A click would have come with the release; anything it posted comes
        # before this click on a check box.
        mono = main.child(caption="Make &mono")
        mono.click()

        def after_release():
            try:
                return "checked" if mono.checked == 1 else None
            except DriverError:
                return "the window went"
        self.assertEqual(wait_until(after_release, timeout=5,
                                    message="the check box clicked after the release"),
                         "checked", "a release outside must not click E&xit")
        self.assertTrue(main.visible)
        self.assertEqual(look_of(exit_button.pixels(), self.colors), "idle")
        self.screenshot("released-outside", main)

    def test_press_moved_out_and_back_before_the_release_clicks(self):
        main = self.start_main()
        listing = main.child(caption="Crea&te list")
        self.point_at(listing, 20, 10)
        xdotool("mousedown", 1)
        point_away(main)
        self.point_at(listing, 22, 12)
        xdotool("mouseup", 1)
        self.program.window(cls="TForm6")


class FirstPaintTest(FlatButtonTestCase):
    def test_a_button_enabled_before_the_window_has_painted_shows_the_panel(self):
        """The input set the moment the window is there: Encode is enabled and
        repainted at once, ahead of its panel's first paint."""
        program = self.start_korimba(self.program_folder())
        main = self.driver.wait_window({"pid": program.pid, "cls": "TForm1", "visible": True})
        main.child(cls="Edit", index=0).set_text("C:\\Music\\Track.wav")
        main.wait_settled()
        point_away(main)
        for caption, look in (("&Encode", "idle"), ("&Decode", "disabled"),
                              ("Crea&te list", "idle"), ("E&xit", "idle")):
            self.wait_look(main.child(caption=caption), look, caption)
        self.screenshot("encode-enabled-at-once", main)


class SystemMenuTest(FlatButtonTestCase):
    def test_alt_s_opens_the_system_menu_at_the_buttons_bottom_left_corner(self):
        main = self.start_main()
        system = main.child(caption="      &System  ")
        point_away(main)
        # The window may have come up under the pointer: wait until it has left.
        self.wait_look(main.child(caption="Crea&te list"), "idle", "every button at rest")
        idle = self.wait_look(system, "idle", "the System button at rest")
        main.xdotool("key", "alt+s")
        menu = self.driver.wait_window({"pid": self.program.pid, "cls": "#32768",
                                        "visible": True})
        menu_left, menu_top, _, _ = menu.rect()["window"]
        left, top, width, height = self.button_rect(system)
        self.assertEqual((menu_left, menu_top), (left, top + height))
        pressed = self.wait_look(system, "sunken",
                                 "the System button is pressed while its menu is open")
        self.assertEqual(positions(pressed, self.colors.highlight),
                         {(x + 1, y + 1) for x, y in positions(idle, self.colors.text)},
                         "caption and arrow one pixel right and down")
        self.screenshot("system-menu", None)
        xdotool("key", "Escape")
        self.driver.wait_gone({"pid": self.program.pid, "cls": "#32768", "visible": True})
        self.wait_look(system, "idle", "the menu closed: no longer pressed")


class TransparencyTest(FlatButtonTestCase):
    def test_a_button_over_a_package_picture_shows_the_picture(self):
        folder = self.program_folder()
        folder.write_bytes("Images\\left.bmp", striped_bitmap(120, 300))
        folder.write_bytes("Images\\right.bmp", striped_bitmap(400, 120))
        folder.write_bytes("Images\\images.set", b"")
        main = self.start_main(folder)
        exit_button = main.child(caption="E&xit")
        point_away(main)
        # The stripes are upright: a row of the panel clear of its buttons, the
        # panel's last, shows the colour of every column.
        panel = Window(self.driver, exit_button.info()["parent"])
        panel_bottom = panel.rect()["window"][3]
        left, _, width, height = self.button_rect(exit_button)
        main_left, main_top = main.rect()["window"][:2]
        red, green = (255, 0, 0), (0, 255, 0)
        stripes = main.pixels(left - main_left, panel_bottom - 1 - main_top, width, 1)[0]
        self.assertEqual(set(stripes), {red, green}, "the stretched picture under the button")
        expected = [stripes] * height
        caption = {self.colors.text}
        shown = []

        def shows_the_picture():
            shown[:] = [exit_button.pixels()]
            return all(c == expected[y][x] or c in caption
                       for y, row in enumerate(shown[0]) for x, c in enumerate(row))
        wait_until(shows_the_picture, timeout=5,
                   message="the button shows the picture's columns and its caption",
                   seen=lambda: "it shows %s" % describe(shown[0]))
        pixels = shown[0]
        self.screenshot("over-picture", main)
        self.assertEqual([c for (x, y), c in sorted(ring(pixels).items())],
                         [expected[y][x] for (x, y) in sorted(ring(pixels))],
                         "no bevel at rest, only the picture")
        self.assertTrue(positions(pixels, self.colors.text), "the caption is drawn")
        self.assertEqual(set(inside(pixels)), {red, green, self.colors.text})


if __name__ == "__main__":
    unittest.main()
