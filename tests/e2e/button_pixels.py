"""What a flat button shows on the screen, judged in exact colours: the
system's colours as the programs draw them (read through the driver), each
pixel of the bevel where the button draws it, never "about right"."""

from collections import Counter

from korimba_e2e import move_pointer, wait_until

COLOR_ACTIVECAPTION = 2
COLOR_INACTIVECAPTION = 3
COLOR_WINDOWTEXT = 8
COLOR_HIGHLIGHT = 13
COLOR_BTNFACE = 15
COLOR_BTNSHADOW = 16
COLOR_BTNHIGHLIGHT = 20


class SystemColors:
    """The colours the buttons and panels are drawn in, from GetSysColor in the prefix."""

    def __init__(self, driver):
        def color(index):
            return tuple(driver.call("syscolor", index))
        self.text = color(COLOR_WINDOWTEXT)
        self.highlight = color(COLOR_HIGHLIGHT)
        self.face = color(COLOR_BTNFACE)
        self.shadow = color(COLOR_BTNSHADOW)
        self.light = color(COLOR_BTNHIGHLIGHT)
        self.active_caption = color(COLOR_ACTIVECAPTION)
        self.inactive_caption = color(COLOR_INACTIVECAPTION)


def scaled(value, dpi):
    """A designed length at a display scale, rounded as Windows' MulDiv does."""
    product = value * dpi
    return (product + 48) // 96 if product >= 0 else -((-product + 48) // 96)


def designed(device, dpi):
    """The designed pixel a pixel of the screen belongs to: each designed pixel
    is the block between its scaled edges."""
    design = (device * 96) // dpi
    while scaled(design, dpi) > device:
        design -= 1
    while scaled(design + 1, dpi) <= device:
        design += 1
    return design


def _on_ring(x, y, width, height, dpi):
    """Whether the screen's pixel lies in a block of the outermost designed row or column."""
    dx, dy = designed(x, dpi), designed(y, dpi)
    return dx in (0, designed(width - 1, dpi)) or dy in (0, designed(height - 1, dpi))


def ring(pixels, dpi=96, on=True):
    """The outermost row and column all around, where the bevel goes (blocks of
    them at another scale): {(x, y): colour}; with on false, what is inside."""
    height, width = len(pixels), len(pixels[0])
    return {(x, y): pixels[y][x] for y in range(height) for x in range(width)
            if _on_ring(x, y, width, height, dpi) == on}


def inside(pixels, dpi=96):
    return list(ring(pixels, dpi, on=False).values())


def positions(pixels, color):
    """Where a colour is, inside the ring."""
    return {(x, y) for y, row in enumerate(pixels) for x, c in enumerate(row)
            if c == color and 0 < y < len(pixels) - 1 and 0 < x < len(row) - 1}


def bevel(width, height, first, second, dpi=96):
    """The ring as the button's bevel draws it: {(x, y): colour}. Lines in the
    first colour from the bottom left corner up and along the top, in the
    second on down the right side and back along the bottom, each line without
    its end point; at another scale, each designed pixel as its block."""
    w, h = designed(width - 1, dpi) + 1, designed(height - 1, dpi) + 1
    drawn = {}
    for y in range(h - 1, 0, -1):
        drawn[(0, y)] = first
    for x in range(0, w - 1):
        drawn[(x, 0)] = first
    for y in range(0, h - 1):
        drawn[(w - 1, y)] = second
    for x in range(w - 1, 0, -1):
        drawn[(x, h - 1)] = second
    return {(x, y): drawn[(designed(x, dpi), designed(y, dpi))]
            for y in range(height) for x in range(width) if _on_ring(x, y, width, height, dpi)}


def look_of(pixels, colors, face=None, dpi=96):
    """"idle", "raised", "sunken" or "disabled" when the pixels are exactly one
    of the looks on a background of the colour face (the button face unless
    given), with a caption; None for anything else, such as a black box.

    Idle: no bevel, the caption in the window text colour. Raised (under the
    pointer) and sunken (pressed): the bevel's every pixel, the caption in the
    highlight colour. Disabled: no bevel, the caption in the shadow colour over
    a copy of it in the button highlight one pixel right and down."""
    face = face or colors.face
    height, width = len(pixels), len(pixels[0])
    edge = ring(pixels, dpi)
    shown = set(inside(pixels, dpi))
    if set(edge.values()) == {face}:
        if shown == {face, colors.text}:
            return "idle"
        caption = positions(pixels, colors.shadow)
        copy = {(x + 1, y + 1) for x, y in caption} - caption
        inner = {(x, y) for x, y in copy if 0 < x < width - 1 and 0 < y < height - 1}
        if (shown == {face, colors.light, colors.shadow}
                and positions(pixels, colors.light) == inner):
            return "disabled"
        return None
    if shown != {face, colors.highlight}:
        return None
    if edge == bevel(width, height, colors.light, colors.shadow, dpi):
        return "raised"
    if edge == bevel(width, height, colors.shadow, colors.light, dpi):
        return "sunken"
    return None


def describe(pixels):
    """The colours found and how often, for a failure message."""
    counts = Counter(c for row in pixels for c in row)
    return ", ".join("%s x %d" % (color, n) for color, n in counts.most_common(8))


def wait_look(button, colors, look, what, face=None, timeout=5.0, dpi=96):
    """Waits until the button (a driver Window) shows exactly the look; its pixels then."""
    seen = []

    def shows():
        seen[:] = [button.pixels()]
        return look_of(seen[0], colors, face, dpi) == look

    wait_until(shows, timeout, message="%s: %r never looked %s" % (what, button, look),
               seen=lambda: "it shows %s (%s)" % (describe(seen[0]),
                                                  look_of(seen[0], colors, face, dpi)))
    return seen[0]


def point_away(window):
    """Moves the real pointer off the window, below and right of it."""
    left, top, right, bottom = window.rect()["window"]
    move_pointer(right + 40, bottom + 40)
