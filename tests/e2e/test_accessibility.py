"""What a screen reader is told of the flat buttons, asked the way one asks:
through each window's accessible object, from the driver's process."""

import unittest

from korimba_e2e import E2ETestCase, wait_until

PUSH_BUTTON = 43
BUTTON_MENU = 57
UNAVAILABLE = 0x1
FOCUSED = 0x4
FOCUSABLE = 0x100000
E_FAIL = -2147467259
# The WinEvents a reader hears.
FOCUS, STATE_CHANGE, NAME_CHANGE = 0x8005, 0x800A, 0x800C


def told(name, shortcut, role=PUSH_BUTTON, state=FOCUSABLE, action="Press"):
    return {"name": name, "shortcut": shortcut, "action": action, "role": role, "state": state,
            "description": "", "parts": []}


def heard_on(events, window):
    """The events heard of the window's client object, in order."""
    return [e["event"] for e in events if e["window"] == window.hwnd and e["object"] == -4]


class FlatButtonsSpeakTest(E2ETestCase):
    def assert_told(self, window, expected):
        """Each caption's button tells exactly what is expected of it."""
        self.assertEqual({caption: window.child(caption=caption).accessible()
                          for caption in expected}, expected)

    def test_every_window_names_its_buttons_and_their_actions_work(self):
        program = self.start_korimba(self.program_folder())
        main = program.window(cls="TForm1")
        self.assert_told(main, {
            "&Encode": told("Encode", "Alt+E", state=UNAVAILABLE),
            "&Decode": told("Decode", "Alt+D", state=UNAVAILABLE),
            "Crea&te list": told("Create list", "Alt+T"),
            "En&code list": told("Encode list", "Alt+C", state=UNAVAILABLE),
            "Dec&ode list": told("Decode list", "Alt+O", state=UNAVAILABLE),
            "      &System  ": told("System", "Alt+S", role=BUTTON_MENU, action="Open"),
            "E&xit": told("Exit", "Alt+X"),
        })
        self.assertEqual(main.child(caption="&Encode").do_default_action(), E_FAIL,
                         "a disabled button refuses")

        # The System button's action drops its menu; Preferences, then the tool paths.
        self.assertEqual(main.child(caption="      &System  ").do_default_action(), 0)
        self.driver.wait_window({"pid": program.pid, "cls": "#32768", "visible": True})
        main.real_key("s")
        preferences = program.window(cls="TForm7")
        self.assert_told(preferences, {"&Close": told("Close", "Alt+C"),
                                       "&Path settings": told("Path settings", "Alt+P"),
                                       "Download p&ack": told("Download pack", "Alt+A")})
        preferences.child(caption="&Path settings").do_default_action()
        paths = program.window(cls="TForm2")
        self.assert_told(paths, {"D&ownload": told("Download", "Alt+O"),
                                 "&Close": told("Close", "Alt+C"),
                                 "&Save": told("Save", "Alt+S")})
        self.assertEqual(paths.child(caption="...").accessible(), told("...", ""))
        paths.child(caption="&Close").do_default_action()
        paths.wait_gone()
        preferences.child(caption="&Close").do_default_action()
        preferences.wait_gone()

        # "Crea&te list" by its action: the list window takes the main window's place.
        main = program.window(cls="TForm1")
        self.assertEqual(main.child(caption="Crea&te list").do_default_action(), 0)
        listing = program.window(cls="TForm6")
        self.assert_told(listing, {"Open &Explorer": told("Open Explorer", "Alt+E"),
                                   "&Remove all": told("Remove all", "Alt+R"),
                                   "&Close": told("Close", "Alt+C")})
        listing.child(caption="&Close").do_default_action()
        listing.wait_gone()
        wait_until(lambda: program.window(cls="TForm1").visible,
                   message="the main window back")


def stop_name(window):
    """A tab stop as the walk names it: a button by its caption, a field by its class."""
    return window.text if window.cls in ("TCustomControl", "Button") else window.cls


class KeyboardAloneTest(E2ETestCase):
    """Every command of every window by real key presses, and what a reader hears."""

    def walk(self, window, start, name):
        """Focuses start, then presses Tab until the named stop has the focus: the
        stops on the way. A key press may still be on its way when the driver
        reads the focus, so each press waits for the focus to move on. A window
        that is still being activated puts the focus back on its own field, so
        the start is focused until it keeps it."""
        wait_until(lambda: start.focus() and window.focused() == start,
                   message="%r focused" % start)
        stops = []
        while not stops or stops[-1] != name:
            self.assertLess(len(stops), 25, "Tab never reached %r: %s" % (name, stops))
            before = window.focused()
            window.real_key("TAB")
            wait_until(lambda: window.focused() not in (None, before), message="Tab to move")
            stops.append(stop_name(window.focused()))
        return stops

    def test_every_window_by_tab_space_and_arrows(self):
        program = self.start_korimba(self.program_folder())
        main = program.window(cls="TForm1")
        self.driver.listen(program.pid)
        self.addCleanup(self.driver.listen, 0)

        # The fields, each browse button after its field, then the enabled commands.
        self.assertEqual(self.walk(main, main.child(cls="Edit", index=0), "..."), ["..."])
        dots = main.focused()
        self.assertEqual(dots.accessible()["state"], FOCUSABLE | FOCUSED)
        frame = dots.pixels(area="client")[2][2:15:2]
        self.assertEqual(len(set(frame)), 1, "a dotted frame shows the focus: %s" % frame)
        dots.real_key("space")
        browse = program.window(caption="Select an input file")
        browse.real_key("Escape")
        browse.wait_gone()
        output = main.child(cls="Edit", index=1)
        wait_until(lambda: main.focused() == output, message="the output focused after the browse")
        self.assertEqual(self.walk(main, output, "E&xit"),
                         ["ComboBox", "High q&uality", "Make &mono", "Check ISO/MPEG c&rc",
                          "&View coding", "Crea&te list", "      &System  ", "E&xit"])
        self.assertEqual(self.walk(main, main.focused(), "Edit"), ["Edit"])
        heard = self.driver.heard()
        self.assertIn(FOCUS, heard_on(heard, dots))
        self.assertIn(STATE_CHANGE, heard_on(heard, dots), "focused, then not")

        # An enabled command tells its new state.
        encode = main.child(caption="&Encode")
        main.child(cls="Edit", index=0).set_text("C:\\song.wav")
        wait_until(lambda: encode.enabled, message="Encode enabled")
        self.assertIn(STATE_CHANGE, heard_on(self.driver.heard(), encode))

        # The System menu by Alt+S and the arrows: its submenu, then About at its end.
        main.real_key("alt+s")
        menus = {"pid": program.pid, "cls": "#32768", "visible": True}
        self.driver.wait_window(menus)
        for key in ("Down", "Down", "Right"):
            main.real_key(key)
        wait_until(lambda: len([w for w in self.driver.windows(program.pid)
                                if w["class"] == "#32768" and w["visible"]]) == 2,
                   message="the Fixations submenu open")
        for key in ("Left", "Up", "Up", "Return"):  # back, Settings, round to About
            main.real_key(key)
        about = program.window(cls="TForm4")
        self.assertEqual(self.walk(about, about.child(caption="&Close"), "&Close"),
                         ["Visit our &site", "&E-mail", "&Close"])
        about.real_key("Return")
        about.wait_gone()

        # Preferences, its path settings and back, by Tab and Space or Enter: its
        # commands come after all its fields.
        main.real_key("alt+s")
        self.driver.wait_window(menus)
        main.real_key("s")
        preferences = program.window(cls="TForm7")
        self.assertEqual(self.walk(preferences, preferences.child(caption="&Encoding"),
                                   "&Path settings"),
                         ["&Decoding", "&List process", "&Reload last settings at startup",
                          "Same as &input folder", "Edit", "Output &folder", "Output ex&tension ",
                          "&Minimized", "Outp&ut filename", "&Work on several list files at once",
                          "&Close", "&Path settings"])
        preferences.real_key("Return")
        paths = program.window(cls="TForm2")
        self.assertEqual(self.walk(paths, paths.child(cls="Edit", index=0), "&Close"),
                         ["...", "Edit", "...", "D&ownload", "&Close"])
        paths.real_key("space")
        paths.wait_gone()
        preferences.real_key("alt+c")
        preferences.wait_gone()

        # The list window: its fields, then its commands.
        main = program.window(cls="TForm1")
        main.real_key("alt+t")
        listing = program.window(cls="TForm6")
        self.assertEqual(self.walk(listing, listing.child(cls="Edit", index=1), "&Close"),
                         ["Edit", "&Delete all after convert", "Open &Explorer", "&Remove all",
                          "&Close"])
        listing.real_key("space")
        listing.wait_gone()
        wait_until(lambda: program.window(cls="TForm1").visible, message="the main window back")


if __name__ == "__main__":
    unittest.main()
