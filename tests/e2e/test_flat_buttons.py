"""The flat command buttons under real X pointer input: their looks at rest, under
the pointer and pressed, a release outside, Alt+S, and transparency over a picture."""

import struct
import subprocess
import unittest

from korimba_e2e import E2ETestCase, WaitTimeout, wait_until


def screen_pixels(left, top, width, height):
    """The screen's pixels in a rectangle, as rows of (r, g, b)."""
    raw = subprocess.run(
        ["import", "-silent", "-window", "root", "-crop",
         "%dx%d+%d+%d" % (width, height, left, top), "+repage", "-depth", "8", "rgb:-"],
        capture_output=True, check=True).stdout
    return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def brightness(color):
    return sum(color)


def bluish(color):
    r, g, b = color
    return b > r + 60 and b > g + 20


def dark(color):
    return brightness(color) < 90


def xdotool(*arguments):
    subprocess.run(["xdotool"] + [str(a) for a in arguments], check=True, timeout=30)


def striped_bitmap(width, height):
    """A 24-bit .bmp of vertical red and green stripes, 4 pixels wide."""
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for _ in range(height):
        row = b"".join(b"\x00\x00\xff" if (x // 4) % 2 == 0 else b"\x00\xff\x00"
                       for x in range(width))
        rows.append(row + b"\x00" * (stride - width * 3))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


class FlatButtonTestCase(E2ETestCase):
    def start_main(self, folder=None):
        folder = folder or self.program_folder()
        self.program = self.start_korimba(folder)
        main = self.program.window(cls="TForm1")
        main.wait_settled()
        return main

    def button_rect(self, button):
        left, top, right, bottom = button.rect()["window"]
        return left, top, right - left, bottom - top

    def pixels_of(self, button):
        left, top, width, height = self.button_rect(button)
        button.sync()
        return screen_pixels(left, top, width, height)

    def wait_look(self, button, predicate, what):
        try:
            wait_until(lambda: predicate(self.pixels_of(button)), timeout=5)
        except WaitTimeout:
            self.fail("%s: the button never showed it" % what)

    def point_at(self, button, x, y):
        left, top, _, _ = self.button_rect(button)
        xdotool("mousemove", "--sync", left + x, top + y)

    def point_away(self, main):
        left, top, right, bottom = main.rect()["window"]
        xdotool("mousemove", "--sync", right + 40, bottom + 40)


def raised(pixels):
    """A light top-left corner and a dark bottom-right one: the raised bevel."""
    return brightness(pixels[0][0]) > brightness(pixels[-1][-1]) + 100


def sunken(pixels):
    return brightness(pixels[-1][-1]) > brightness(pixels[0][0]) + 100


def caption_pixels(pixels):
    """What the inside shows, without the bevel's rows and columns."""
    return [color for row in pixels[1:-1] for color in row[1:-1]]


def idle(pixels):
    """No bevel: the corners show the same background, and the caption is dark."""
    return (not raised(pixels) and not sunken(pixels)
            and any(dark(c) for c in caption_pixels(pixels))
            and not any(bluish(c) for c in caption_pixels(pixels)))


def hot_caption(pixels):
    inside = caption_pixels(pixels)
    return any(bluish(c) for c in inside) and not any(dark(c) for c in inside)


class PointerLookTest(FlatButtonTestCase):
    def test_idle_hover_press_and_release_look_as_they_should(self):
        main = self.start_main()
        exit_button = main.child(caption="E&xit")
        self.point_away(main)
        self.wait_look(exit_button, idle, "idle: flat, dark caption")
        self.screenshot("idle", main)

        self.point_at(exit_button, 20, 10)
        self.wait_look(exit_button, lambda p: raised(p) and hot_caption(p),
                       "hover: raised bevel, highlight caption")
        self.screenshot("hover", main)

        xdotool("mousedown", 1)
        self.wait_look(exit_button, sunken, "pressed: sunken bevel")
        self.screenshot("pressed", main)

        # Out of the button with the button still down: the look goes back to rest.
        self.point_away(main)
        self.wait_look(exit_button, idle, "pressed and left: flat again")
        xdotool("mouseup", 1)
        main.sync()
        self.assertTrue(main.info()["visible"], "a release outside must not click E&xit")
        self.screenshot("released-outside", main)

    def test_press_moved_out_and_back_before_the_release_clicks(self):
        main = self.start_main()
        listing = main.child(caption="Crea&te list")
        self.point_at(listing, 20, 10)
        xdotool("mousedown", 1)
        self.point_away(main)
        self.point_at(listing, 22, 12)
        xdotool("mouseup", 1)
        self.program.window(cls="TForm6")


class SystemMenuTest(FlatButtonTestCase):
    def test_alt_s_opens_the_system_menu_at_the_buttons_bottom_left_corner(self):
        main = self.start_main()
        system = main.child(caption="      &System  ")
        self.point_away(main)
        # The window may have come up under the pointer: wait until it has left.
        self.wait_look(main.child(caption="Crea&te list"), idle, "every button at rest")
        main.xdotool("key", "alt+s")
        menu = self.driver.wait_window({"pid": self.program.pid, "cls": "#32768",
                                        "visible": True})
        menu_left, menu_top, _, _ = menu.rect()["window"]
        left, top, width, height = self.button_rect(system)
        self.assertEqual((menu_left, menu_top), (left, top + height))
        self.wait_look(system, sunken, "the System button is pressed while its menu is open")
        self.screenshot("system-menu", None)
        xdotool("key", "Escape")
        self.driver.wait_gone({"pid": self.program.pid, "cls": "#32768", "visible": True})
        self.wait_look(system, lambda p: not sunken(p), "the menu closed: no longer pressed")


class TransparencyTest(FlatButtonTestCase):
    def test_a_button_over_a_package_picture_shows_the_picture(self):
        folder = self.program_folder()
        folder.write_bytes("Images\\left.bmp", striped_bitmap(120, 300))
        folder.write_bytes("Images\\right.bmp", striped_bitmap(400, 120))
        folder.write_bytes("Images\\images.set", b"")
        main = self.start_main(folder)
        exit_button = main.child(caption="E&xit")
        self.point_away(main)
        pixels = self.pixels_of(exit_button)
        reds = sum(1 for c in caption_pixels(pixels) if c[0] > 200 and c[1] < 60)
        greens = sum(1 for c in caption_pixels(pixels) if c[1] > 200 and c[0] < 60)
        self.screenshot("over-picture", main)
        self.assertGreater(reds, 50, "the red stripes show through the button")
        self.assertGreater(greens, 50, "the green stripes show through the button")


if __name__ == "__main__":
    unittest.main()
