#!/usr/bin/env bash
# Gives the Wine prefix $1 (architecture $2) a face "Microsoft Sans Serif", which
# the windows ask for and Wine lacks. On Windows that face carries Latin and
# Greek and is linked to fonts of other scripts (FontLink\SystemLink); Wine
# writes its own links anew whenever a program's code pages differ from the
# last one's, which the programs here do all the time (UTF-8 by manifest, the
# interpreter not). So the stand-in carries the scripts the tests show itself:
# Wine's outline Tahoma (whose widths keep the windows' layout), the Greek of
# DejaVu Sans and the kana and the kanji of the tests' names from Debian's
# Droid Sans Fallback.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
prefix=$1
wine_environment "$prefix" "${2:-${KORIMBA_WINEARCH:-win64}}"
# Not MICROSS.TTF: Wine's own links of other faces name that file, and would
# lend them the stand-in's glyphs, which Windows does not.
font=$prefix/drive_c/windows/Fonts/kmssans.ttf
[ -f "$font" ] || /usr/bin/python3 - "$font" <<'PYTHON'
import os
import sys
from fontTools import subset
from fontTools.merge import Merger
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.scaleUpem import scale_upem

CORE = {"cmap", "glyf", "loca", "head", "hhea", "hmtx", "maxp", "name", "OS/2", "post"}
KANJI = "日本語歌長名前出力戻音楽"


def part(path, unicodes, saved):
    """The glyphs of unicodes, in outlines of 2048 units, with the tables all
    share, saved as `saved`."""
    font = TTFont(path)
    options = subset.Options()
    options.layout_features = []
    options.name_IDs = ["*"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=unicodes)
    subsetter.subset(font)
    if font["head"].unitsPerEm != 2048:
        scale_upem(font, 2048)
    for table in list(font.keys()):
        if table not in CORE:
            del font[table]
    font.save(saved)
    return saved


SOURCES = [("/usr/share/wine/fonts/tahoma.ttf", range(0x20, 0x2100)),
           ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", range(0x370, 0x400)),
           ("/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf",
            [*range(0x3040, 0x3100), *map(ord, KANJI)])]
parts = [part(path, unicodes, "%s.%d" % (sys.argv[1], i))
         for i, (path, unicodes) in enumerate(SOURCES)]
merged = Merger().merge(parts)
# Drawn without grey steps, as the bitmap face it stands in for (and Wine's
# Tahoma at this size, from the bitmaps the merge leaves out) is.
merged["gasp"] = newTable("gasp")
merged["gasp"].version = 1
merged["gasp"].gaspRange = {0xFFFF: 0x0001}  # grid-fitting only
for record in merged["name"].names:
    if record.nameID in (1, 3, 4, 16):
        record.string = "Microsoft Sans Serif"
    elif record.nameID == 6:
        record.string = "MicrosoftSansSerif"
merged.save(sys.argv[1])
for name in parts:
    os.remove(name)
PYTHON
"$WINELOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
    /v "Microsoft Sans Serif (TrueType)" /d kmssans.ttf /f >/dev/null
