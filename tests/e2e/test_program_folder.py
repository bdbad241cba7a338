"""What the build puts into the program folder beside the programs: the DOS
windows' settings files, the help pages and the sample visual package."""

import re
import struct
import unittest
from html.parser import HTMLParser

from korimba_e2e import build_dir


def program_folder():
    return build_dir() / "program"


class ProgramInformationFileTest(unittest.TestCase):
    def sections(self, data):
        """The section headings from the first one on: name -> (data offset, length)."""
        found = {}
        offset = 0x171
        while offset != 0xFFFF:
            self.assertLessEqual(offset + 0x16, len(data), "a heading past the end")
            name = data[offset:offset + 16].rstrip(b"\0").decode("ascii")
            following, start, length = struct.unpack("<HHH", data[offset + 16:offset + 22])
            self.assertLessEqual(start + length, len(data), name)
            found[name] = (start, length)
            self.assertNotIn(following, (offset,), "a heading that points at itself")
            offset = following
        return found

    def test_stored_copies_and_working_copies_are_valid_and_alike(self):
        for stem in ("encoding", "decoding"):
            stored = (program_folder() / (stem + ".dat")).read_bytes()
            self.assertEqual((program_folder() / (stem + ".pif")).read_bytes(), stored)
            self.assertEqual(stored[0x171:0x171 + 16], b"MICROSOFT PIFEX\0", stem)
            self.assertEqual(stored[1], sum(stored[2:0x171]) & 0xFF, "basic section checksum")
            sections = self.sections(stored)
            self.assertEqual(sections["MICROSOFT PIFEX"], (0, 0x171))
            self.assertEqual(sections["WINDOWS 386 3.0"][1], 0x68)
            self.assertEqual(stored[2:32].decode("ascii").rstrip(), "Korimba " + stem)
            self.assertEqual(stored[0x24:0x63].rstrip(b"\0").decode("ascii"),
                             stem.upper() + ".BAT")
            self.assertTrue(stored[0x63] & 0x10, "the window closes when its script ends")
            most, least = struct.unpack("<HH", stored[0x20:0x24])
            self.assertEqual((most, least), (640, 128))


class LinkCollector(HTMLParser):
    def __init__(self):
        super().__init__()
        self.links = []
        self.anchors = set()

    def handle_starttag(self, tag, attributes):
        attributes = dict(attributes)
        for name in ("href", "src"):
            if attributes.get(name):
                self.links.append(attributes[name])
        if attributes.get("id"):
            self.anchors.add(attributes["id"])


class HelpPagesTest(unittest.TestCase):
    def test_every_local_link_resolves(self):
        help_folder = program_folder() / "help"
        pages = sorted(help_folder.glob("*.htm"))
        self.assertIn(help_folder / "index.htm", pages)
        reached = {help_folder / "index.htm"}
        for page in pages:
            collector = LinkCollector()
            collector.feed(page.read_text(encoding="cp1252"))
            self.assertIn("<title>", page.read_text(encoding="cp1252"), page.name)
            for link in collector.links:
                if re.match(r"^[a-z]+:", link):
                    continue  # web and mail addresses are not ours to check here
                target = (page.parent / link.split("#")[0]).resolve()
                self.assertTrue(target.is_file(), "%s links to missing %s" % (page.name, link))
                reached.add(target)
        self.assertEqual(reached, {p.resolve() for p in pages} | {
            (help_folder / "help.css").resolve()}, "every page is reachable from the start page")


class SamplePackageTest(unittest.TestCase):
    def test_two_valid_bitmaps_in_an_images_folder(self):
        for name in ("left.bmp", "right.bmp"):
            data = (program_folder() / "samples" / "Images" / name).read_bytes()
            self.assertEqual(data[:2], b"BM")
            size, _, _, offset = struct.unpack("<IHHI", data[2:14])
            self.assertEqual(size, len(data))
            width, height, planes, bits = struct.unpack("<iiHH", data[18:30])
            self.assertEqual((planes, bits), (1, 24))
            stride = (width * 3 + 3) // 4 * 4
            self.assertEqual(len(data) - offset, stride * abs(height))


if __name__ == "__main__":
    unittest.main()
