"""What a flat button shows on the screen, judged in exact colours: the
system's colours as the programs draw them (read through the driver), never
"about right"."""

import subprocess
from collections import Counter

COLOR_WINDOWTEXT = 8
COLOR_HIGHLIGHT = 13
COLOR_BTNFACE = 15
COLOR_BTNSHADOW = 16
COLOR_BTNHIGHLIGHT = 20


def screen_pixels(left, top, width, height):
    """The screen's pixels in a rectangle, as rows of (r, g, b)."""
    raw = subprocess.run(
        ["import", "-silent", "-window", "root", "-crop",
         "%dx%d+%d+%d" % (width, height, left, top), "+repage", "-depth", "8", "rgb:-"],
        capture_output=True, check=True).stdout
    return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


class SystemColors:
    """The colours a button is drawn in, from GetSysColor in the prefix."""

    def __init__(self, driver):
        def color(index):
            return tuple(driver.call("syscolor", index))
        self.text = color(COLOR_WINDOWTEXT)
        self.highlight = color(COLOR_HIGHLIGHT)
        self.face = color(COLOR_BTNFACE)
        self.shadow = color(COLOR_BTNSHADOW)
        self.light = color(COLOR_BTNHIGHLIGHT)


def ring(pixels):
    """The outermost row and column all around, where the bevel goes."""
    return ([c for c in pixels[0]] + [c for c in pixels[-1]]
            + [row[0] for row in pixels[1:-1]] + [row[-1] for row in pixels[1:-1]])


def inside(pixels):
    return [c for row in pixels[1:-1] for c in row[1:-1]]


def positions(pixels, color):
    """Where a colour is, inside the ring."""
    return {(x, y) for y, row in enumerate(pixels) for x, c in enumerate(row)
            if c == color and 0 < y < len(pixels) - 1 and 0 < x < len(row) - 1}


def look_of(pixels, colors, face=None):
    """"idle", "raised", "sunken" or "disabled" when the pixels are exactly one
    of the looks on a background of the colour face (the button face unless
    given), with a caption; None for anything else, such as a black box."""
    face = face or colors.face
    edge = set(ring(pixels))
    shown = set(inside(pixels))
    if edge == {face}:
        if shown == {face, colors.text}:
            return "idle"
        if colors.shadow in shown and shown <= {face, colors.light, colors.shadow}:
            return "disabled"
        return None
    if edge != {colors.light, colors.shadow} or shown != {face, colors.highlight}:
        return None
    top_left, bottom_right = pixels[0][0], pixels[-1][-1]
    if (top_left, bottom_right) == (colors.light, colors.shadow):
        return "raised"
    if (top_left, bottom_right) == (colors.shadow, colors.light):
        return "sunken"
    return None


def look_on_screen(button, colors, face=None):
    """The look of a button (a driver Window) as the screen shows it now, and its pixels."""
    left, top, right, bottom = button.rect()["window"]
    button.sync()
    pixels = screen_pixels(left, top, right - left, bottom - top)
    return look_of(pixels, colors, face), pixels


def describe(pixels):
    """The colours found and how often, for a failure message."""
    counts = Counter(c for row in pixels for c in row)
    return ", ".join("%s x %d" % (color, n) for color, n in counts.most_common(8))
