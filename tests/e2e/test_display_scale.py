"""The windows at the display scales users have: in a throwaway prefix set to
96, 120, 144 and 192 dots per inch in turn, every window of the program and
the completion notice is measured; at each scale each window and each control
is its 96-dpi self times the scale, no check box or button cuts its caption,
and a flat button's raised bevel is its designed one, block for block."""

import json
import textwrap
import unittest

from button_pixels import scaled
from korimba_e2e import run_scenario, set_display_scale, throwaway_prefix

SCALES = (96, 120, 144, 192)

# Runs in its own Python with KORIMBA_WINEPREFIX at the throwaway prefix;
# prints {window: {"client": [w, h], "children": [...]}} as its last line.
SCENARIO = textwrap.dedent(r'''
    import json, sys
    sys.path.insert(0, sys.argv[1])
    import korimba_e2e as e2e
    from button_pixels import SystemColors, point_away, scaled, wait_look

    dpi = sys.argv[2]
    driver = e2e.driver()
    folder = e2e.ProgramFolder("scale", "Korimba")
    folder.copy_programs()
    folder.write_lines("Settings.ini", [folder.win("l3enc.exe"), folder.win("l3dec.exe")])

    def measure(name, window):
        left, top, right, bottom = window.rect()["client"]
        children = []
        for child in driver.call("children", window.hwnd):
            l, t, r, b = child["rect"]
            found = {"class": child["class"], "caption": child["caption"],
                     "rect": [l - left, t - top, r - left, b - top]}
            # Captions of one line in the 8-point face: buttons, check boxes, labels.
            one_line = b - t <= 26 * int(dpi) // 96
            if child["class"] in ("Button", "TLabel") and child["visible"] and one_line:
                font = scaled(-11, int(dpi))
                found["text"] = driver.call("textsize", child["hwnd"], font)["width"]
            children.append(found)
        measured[name] = {"client": [right - left, bottom - top], "children": children}
        e2e.screenshot("scale-%s-%s" % (dpi, name), window)

    def system_item(key):
        main.child(caption="      &System  ").click()
        driver.wait_window({"pid": program.pid, "cls": "#32768", "visible": True})
        main.real_key(key)

    def close(window):
        window.child(caption="&Close").click()
        window.wait_gone()

    measured = {}
    program = driver.start(folder.win("korimba.exe"))
    main = program.window(cls="TForm1")
    measure("main", main)
    # A flat button's bevel under the pointer, block for block as designed.
    exit_button = main.child(caption="E&xit")
    left, top, right, bottom = exit_button.rect()["window"]
    e2e.move_pointer((left + right) // 2, (top + bottom) // 2)
    wait_look(exit_button, SystemColors(driver), "raised", "Exit under the pointer", dpi=int(dpi))
    point_away(main)
    main.child(caption="Crea&te list").click()
    listing = program.window(cls="TForm6")
    measure("list", listing)
    close(listing)
    system_item("s")
    preferences = program.window(cls="TForm7")
    measure("preferences", preferences)
    preferences.child(caption="&Path settings").click()
    paths = program.window(cls="TForm2")
    measure("tool-paths", paths)
    close(paths)
    close(preferences)
    system_item("a")
    about = program.window(cls="TForm4")
    measure("about", about)
    close(about)
    notice = driver.start(folder.win("Message.exe"),
                          ["E", folder.win("song.wav"), folder.win("song.mp3")])
    measure("notice", notice.window(cls="KorimbaMessage"))
    print(json.dumps(measured))
''')


def compared(window, child):
    """What of a control's place is designed: all of it, but for sizes that follow
    a text or the system (a label's own, a drop-down list's, the notice's text
    and the buttons placed after it), where its corner or its size is."""
    left, top, right, bottom = child["rect"]
    if window == "notice" and child["class"] == "Button":
        return [right - left, bottom - top]
    if child["class"] in ("TLabel", "ComboBox", "Static"):
        return [left, top]
    return child["rect"]


class DisplayScaleTest(unittest.TestCase):
    def assert_scaled(self, seen, designed, dpi, what):
        expected = [scaled(value, dpi) for value in designed]
        self.assertTrue(all(abs(a - b) <= 1 for a, b in zip(seen, expected)),
                        "%s at %d dpi: %s, designed %s" % (what, dpi, seen, designed))

    def test_every_window_is_its_design_scaled_with_no_caption_cut(self):
        measured = {}
        with throwaway_prefix("scale-prefix") as (prefix, env):
            # A display of its own, large enough for the windows at 192 dpi.
            env.pop("DISPLAY", None)
            env["KORIMBA_SCREEN"] = "2560x1600x24"
            for dpi in SCALES:
                set_display_scale(prefix, env, dpi)
                run = run_scenario(SCENARIO, dpi, env=env, timeout=300)
                self.assertEqual(run.returncode, 0, run.stderr[-3000:])
                measured[dpi] = json.loads(run.stdout.strip().splitlines()[-1])
        for dpi in SCALES:
            for name, window in measured[dpi].items():
                designed = measured[96][name]
                # The notice's size follows its text, measured in the font at the scale.
                if name != "notice":
                    self.assert_scaled(window["client"], designed["client"], dpi, name)
                self.assertEqual([c["caption"] for c in window["children"]],
                                 [c["caption"] for c in designed["children"]], name)
                for child, base in zip(window["children"], designed["children"]):
                    what = "%s: %s %r" % (name, child["class"], child["caption"])
                    self.assert_scaled(compared(name, child), compared(name, base), dpi, what)
                    # Wine's check box: 12 * dpi / 96 + 1 pixels, 3 more before the caption.
                    box = 12 * dpi // 96 + 1 + 3 if child["class"] == "Button" else 0
                    self.assertLessEqual(child.get("text", 0) + box,
                                         child["rect"][2] - child["rect"][0],
                                         "%s at %d dpi: caption cut" % (what, dpi))


if __name__ == "__main__":
    unittest.main()
