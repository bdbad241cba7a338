"""Writes a program information file for the DOS window of a job script.

    python3 make_pif.py OUT.dat TITLE PROGRAM

The layout is the classic one of Windows 3.x and 9x: a 369-byte basic section,
then section headings (a 16-byte name, the offset of the next heading or
0xFFFF, the offset and the length of the section's data). The first heading,
"MICROSOFT PIFEX", names the basic section itself; "WINDOWS 386 3.0" holds the
settings of a DOS window under Windows in 386 enhanced mode and
"WINDOWS 286 3.0" those for standard mode.

The window closes when its script ends, runs in the background (a job goes on
while the user works in another window) and has the usual memory: 640 KB of
conventional memory with 128 KB required, up to 1 MB of EMS and of XMS.
"""

import struct
import sys

BASIC_SIZE = 0x171
HEADING_SIZE = 0x16
SECTION_386_SIZE = 0x68
SECTION_286_SIZE = 0x06
LAST = 0xFFFF

CLOSE_ON_EXIT = 0x10           # basic section, flags at 0x63
RUN_IN_BACKGROUND = 0x00000002  # 386 section, flags at 0x10


def text(value, size, pad=b"\0"):
    data = value.encode("ascii")
    if len(data) > size:
        raise ValueError("%r is longer than %d characters" % (value, size))
    return data + pad * (size - len(data))


def basic_section(title, program):
    body = b"".join([
        text(title, 30, b" "),                  # 0x02 title, padded with blanks
        struct.pack("<HH", 640, 128),           # 0x20 memory: most and least, in KB
        text(program, 63),                      # 0x24 program
        bytes([CLOSE_ON_EXIT, 0]),              # 0x63 flags, reserved
        text("", 64),                           # 0x65 start-up folder: the script's own
        text("", 64),                           # 0xA5 parameters
        bytes([0x7F, 1, 0, 0xFF, 25, 80, 0, 0]),  # 0xE5 video, pages, interrupts, rows, columns, place
        struct.pack("<H", 7),                   # 0xED system memory
        text("", 64),                           # 0xEF shared program
        text("", 64),                           # 0x12F shared program data
        struct.pack("<H", 0),                   # 0x16F more flags
    ])
    checksum = sum(body) & 0xFF
    section = bytes([0, checksum]) + body
    assert len(section) == BASIC_SIZE
    return section


def section_386():
    data = struct.pack("<HHHHHHHHIHH", 640, 128, 100, 50, 1024, 0, 1024, 0, RUN_IN_BACKGROUND,
                       0x001F, 0)
    data += bytes(0x24 - len(data)) + text("", 64)  # 0x24 parameters
    data += bytes(SECTION_386_SIZE - len(data))
    return data


def section_286():
    return struct.pack("<HHH", 1024, 0, 0)


def heading(name, next_offset, data_offset, data_size):
    return text(name, 16) + struct.pack("<HHH", next_offset, data_offset, data_size)


def pif(title, program):
    first = BASIC_SIZE
    second = first + HEADING_SIZE
    data_386 = second + HEADING_SIZE
    third = data_386 + SECTION_386_SIZE
    data_286 = third + HEADING_SIZE
    return b"".join([
        basic_section(title, program),
        heading("MICROSOFT PIFEX", second, 0, BASIC_SIZE),
        heading("WINDOWS 386 3.0", third, data_386, SECTION_386_SIZE),
        section_386(),
        heading("WINDOWS 286 3.0", LAST, data_286, SECTION_286_SIZE),
        section_286(),
    ])


if __name__ == "__main__":
    out, title, program = sys.argv[1:4]
    with open(out, "wb") as file:
        file.write(pif(title, program))
