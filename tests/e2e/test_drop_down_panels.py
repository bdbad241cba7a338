"""The drop-down panels of the demonstration program under real X pointer input:
dropping down, closing by a click outside, tearing off into a tool window,
snapping back, hiding with the application and switching along the buttons."""

import unittest

from button_pixels import SystemColors, describe
from korimba_e2e import E2ETestCase, move_pointer, wait_until, xdotool


def x_focus():
    """The X window holding the keyboard focus of the X server."""
    return int(xdotool("getwindowfocus"))


BLACK = (0, 0, 0)


def top_of_panel(width, colors, grip):
    """The first 11 rows of a dropped-down panel, by its painting: the button
    face with its outermost top row and left column, a highlight line inside
    top and left, a shadow line inside right, black outside right, and the
    grip bar (4, 2)-(width - 3, 10) in the colour grip."""
    face, light, shadow = colors.face, colors.light, colors.shadow
    rows = [[face] * (width - 1) + [BLACK],
            [face] + [light] * (width - 3) + [shadow, BLACK]]
    for _ in range(2, 10):
        rows.append([face, light, face, face] + [grip] * (width - 7) + [face, shadow, BLACK])
    rows.append([face, light] + [face] * (width - 4) + [shadow, BLACK])
    return rows


class PanelTestCase(E2ETestCase):
    def setUp(self):
        super().setUp()
        folder = self.program_folder("Panels", programs=())
        self.assertEqual(folder.copy_programs(["paneldemo.exe", "kfixture.exe"]),
                         ["paneldemo.exe", "kfixture.exe"], "the build makes both")
        self.colors = SystemColors(self.driver)
        self.fixture_path = folder.win("kfixture.exe")
        self.program = self.start(folder.win("paneldemo.exe"))
        self.main = self.program.window(cls="TPanelDemo")
        self.button_one = self.main.child(caption="Panel &one")
        self.button_two = self.main.child(caption="Panel &two")

    def rect(self, window):
        left, top, right, bottom = window.rect()["window"]
        return left, top, right - left, bottom - top

    def move_to(self, x, y):
        move_pointer(x, y)

    def point_into(self, window, x, y):
        left, top, _, _ = self.rect(window)
        self.move_to(left + x, top + y)

    def press(self, window, x=20, y=10):
        self.point_into(window, x, y)
        xdotool("click", 1)

    def host(self, timeout=5):
        """The borderless window of the dropped-down panel."""
        return self.program.window(cls="TExplorerPopupHost", timeout=timeout)

    def floating(self, timeout=5):
        return self.program.window(cls="TExplorerPopupForm", timeout=timeout)

    def no_window(self, cls):
        return not any(w["class"] == cls and w["visible"] for w in self.program.windows())

    def wait_closed(self):
        wait_until(lambda: self.no_window("TExplorerPopupHost"), timeout=5,
                   message="the panel did not close",
                   seen=lambda: "visible: %s" % visible_of(self.program, "TExplorerPopupHost"))

    def wait_top(self, host, grip, what):
        """Until the top of the dropped-down panel is painted exactly, with the grip in
        the colour grip."""
        width = self.rect(host)[2]
        expected = top_of_panel(width, self.colors, grip)
        shown = []

        def painted():
            shown[:] = [host.pixels(0, 0, width, len(expected))]
            return shown[0] == expected

        def differences():
            wrong = [((x, y), c, expected[y][x]) for y, row in enumerate(shown[0])
                     for x, c in enumerate(row) if c != expected[y][x]]
            return "%d pixels differ, such as %s (at, shown, expected); it shows %s" % (
                len(wrong), wrong[:5], describe(shown[0]))
        wait_until(painted, timeout=5, message=what, seen=differences)


def visible_of(program, cls):
    return [w for w in program.windows() if w["class"] == cls and w["visible"]]


class DropDownTest(PanelTestCase):
    def test_press_drops_the_panel_under_its_button_with_an_inactive_grip(self):
        self.press(self.button_one)
        host = self.host()
        b_left, b_top, _, b_height = self.rect(self.button_one)
        left, top, width, height = self.rect(host)
        self.assertEqual((left, top), (b_left, b_top + b_height))
        # The grip's ten pixels come on top of the designed height.
        self.assertEqual((width, height), (160, 110))
        self.wait_top(host, self.colors.inactive_caption,
                      "the frame, and the grip in the inactive caption's colour")
        self.screenshot("dropped-down")
        # A screen reader finds a pane (16) named by its caption, with a grip (4).
        told = host.child(cls="TCustomControl").accessible()
        self.assertEqual((told["role"], told["name"], told["description"], told["parts"]),
                         (16, "First panel", "Drag the grip to tear the panel off",
                          [{"name": "Grip", "role": 4}]))
        # Under the pointer the grip takes the active caption's colour.
        self.point_into(host, 20, 5)
        self.wait_top(host, self.colors.active_caption, "the grip in the active caption's colour")

    def test_click_on_the_panel_keeps_it_and_a_click_outside_closes_it_and_acts(self):
        self.press(self.button_one)
        host = self.host()
        check = host.child(caption="&Remember")
        self.press(check, 5, 5)
        wait_until(lambda: check.checked, timeout=5, message="the panel's check box checked")
        self.assertTrue(visible_of(self.program, "TExplorerPopupHost"))

        outside = self.main.child(caption="&Outside")
        self.press(outside, 5, 5)
        self.wait_closed()
        wait_until(lambda: outside.checked, timeout=5,
                   message="the click that closed the panel never reached the check box",
                   seen=lambda: "its state is %s" % outside.checked)

    def test_moving_along_the_buttons_switches_panels(self):
        self.press(self.button_one)
        host = self.host()
        self.assertEqual(self.rect(host)[0], self.rect(self.button_one)[0])
        self.point_into(self.button_two, 20, 10)
        wait_until(lambda: any(w["rect"][0] == self.rect(self.button_two)[0]
                               for w in visible_of(self.program, "TExplorerPopupHost")),
                   timeout=5, message="panel two never dropped down",
                   seen=lambda: "panels shown at %s, button two at %s" % (
                       [w["rect"] for w in visible_of(self.program, "TExplorerPopupHost")],
                       self.rect(self.button_two)))
        self.assertEqual(len(visible_of(self.program, "TExplorerPopupHost")), 1)
        self.screenshot("switched")


class TearOffTest(PanelTestCase):
    # The floating window opens with its top 5 pixels above the pointer and half
    # the panel's width (160) to its left, then follows the pointer.
    def floating_at(self, x, y):
        return (x - 80, y - 5)

    def grab_grip(self):
        self.press(self.button_one)
        host = self.host()
        left, top, _, _ = self.rect(host)
        self.docked = (left, top)
        self.grip = (left + 20, top + 5)
        self.panel = host.children()[0]["hwnd"]
        self.addCleanup(lambda: xdotool("mouseup", 1))
        self.hold_grip(host)
        return host

    def hold_grip(self, host):
        self.move_to(*self.grip)
        xdotool("mousedown", 1)
        wait_until(lambda: host.thread_state()["capture"] == self.panel, timeout=5,
                   message="the panel did not take the pointer on its grip",
                   seen=lambda: "the capture is with %s" % host.thread_state()["capture"])

    def test_dragging_past_the_threshold_tears_off_into_a_tool_window(self):
        host = self.grab_grip()
        gx, gy = self.grip
        self.move_to(gx + 10, gy)
        # The release follows the move in the same input stream: once the panel
        # has let the pointer go, it has seen the move too.
        xdotool("mouseup", 1)
        wait_until(lambda: host.thread_state()["capture"] == 0, timeout=5,
                   message="the panel kept the pointer after the release",
                   seen=lambda: "the capture is with %s" % host.thread_state()["capture"])
        self.assertFalse(visible_of(self.program, "TExplorerPopupForm"),
                         "torn off at exactly the threshold")
        self.assertEqual(self.rect(self.host())[:2], self.docked)

        self.hold_grip(host)
        self.move_to(gx + 11, gy)
        floating = self.floating()
        self.assertEqual(floating.caption, "First panel")
        self.assertEqual(self.rect(floating)[:2], self.floating_at(gx + 11, gy))
        self.move_to(gx + 200, gy + 200)
        self.move_to(gx + 220, gy + 220)
        xdotool("mouseup", 1)
        wait_until(lambda: self.rect(floating)[:2] == self.floating_at(gx + 220, gy + 220),
                   timeout=5, message="the floating window did not follow the drag to %s"
                   % (self.floating_at(gx + 220, gy + 220),),
                   seen=lambda: "it is at %s" % (self.rect(floating)[:2],))
        self.wait_closed()
        left, top, right, bottom = floating.rect()["client"]
        self.assertEqual(right - left, 160)
        self.screenshot("floating")

        # Away to another program hides it; back again shows it.
        fixture = self.start(self.fixture_path)
        fixture_window = fixture.window(cls="KFixture")
        fixture_window.bring_to_front()
        # Wine gives the fixture the X focus a moment after activating it, and
        # our program drops out of the foreground when it hears that its focus
        # has gone; coming back before that would be undone.
        fixture_x = fixture_window.info()["xwindow"]
        wait_until(lambda: x_focus() == fixture_x, timeout=5,
                   message="the fixture (X window %d) never got the X focus" % fixture_x,
                   seen=lambda: "the X focus is on %d" % x_focus())
        wait_until(lambda: not visible_of(self.program, "TExplorerPopupForm"), timeout=5,
                   message="the floating window stayed while another program was active")
        # Back by a click on an empty spot of the main window, as a user would:
        # the click reaches the program after the news of the focus leaving.
        left, top, _, _ = self.main.rect()["client"]
        self.move_to(left + 300, top + 200)
        xdotool("click", 1)
        wait_until(lambda: visible_of(self.program, "TExplorerPopupForm"), timeout=5,
                   message="the floating window did not come back",
                   seen=lambda: "the program shows %s" % [
                       w["class"] for w in self.program.windows() if w["visible"]])

        # Its button puts it back under the button.
        self.press(self.button_one)
        host = self.host()
        self.assertEqual(self.rect(host)[:2], self.docked)
        wait_until(lambda: not visible_of(self.program, "TExplorerPopupForm"), timeout=5,
                   message="the floating window went when the panel dropped down again",
                   seen=lambda: "visible: %s" % visible_of(self.program, "TExplorerPopupForm"))

    def test_away_and_back_during_the_tearing_drag_snaps_it_in(self):
        self.grab_grip()
        gx, gy = self.grip
        self.move_to(gx + 11, gy)
        floating = self.floating()
        self.assertEqual(self.rect(floating)[:2], self.floating_at(gx + 11, gy))
        self.move_to(gx + 100, gy + 100)
        # Pointer moves that wait in the queue together are merged into the
        # last one: the window must have been seen away before it comes back.
        wait_until(lambda: self.rect(floating)[:2] == self.floating_at(gx + 100, gy + 100),
                   timeout=5, message="the floating window did not follow the drag away to %s"
                   % (self.floating_at(gx + 100, gy + 100),),
                   seen=lambda: "it is at %s" % (self.rect(floating)[:2],))
        self.move_to(gx + 11, gy)
        wait_until(lambda: visible_of(self.program, "TExplorerPopupHost"), timeout=5,
                   message="the panel never snapped back",
                   seen=lambda: "the program shows %s" % [
                       w["class"] for w in self.program.windows() if w["visible"]])
        xdotool("mouseup", 1)
        host = self.host()
        self.assertEqual(self.rect(host)[:2], self.docked)
        wait_until(lambda: not visible_of(self.program, "TExplorerPopupForm"), timeout=5,
                   message="the floating window went when the panel snapped back",
                   seen=lambda: "visible: %s" % visible_of(self.program, "TExplorerPopupForm"))
        self.screenshot("snapped-back")


if __name__ == "__main__":
    unittest.main()
