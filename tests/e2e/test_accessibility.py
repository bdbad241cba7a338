"""What a screen reader is told of the flat buttons, asked the way one asks:
through each window's accessible object, from the driver's process."""

import unittest

from korimba_e2e import E2ETestCase, wait_until

PUSH_BUTTON = 43
BUTTON_MENU = 57
UNAVAILABLE = 0x1
E_FAIL = -2147467259


def told(name, shortcut, role=PUSH_BUTTON, state=0, action="Press"):
    return {"name": name, "shortcut": shortcut, "action": action, "role": role, "state": state}


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


if __name__ == "__main__":
    unittest.main()
