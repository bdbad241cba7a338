"""The zip of the program folder, as a user gets it: one top folder with exactly
what the build puts into the program folder; unpacked into a Wine prefix that
has never seen the program, it encodes unattended with its own coders, and its
main window shows the program's icon in the title bar."""

import json
import subprocess
import textwrap
import unittest
import zipfile
from pathlib import Path

from audio_files import mp3_frames, mp3_samples
from korimba_e2e import (SOURCE_DIR, build_dir, image_pixels, run_scenario, throwaway_prefix,
                         wine_arch)


VERSION = "2.1.5"
PROGRAMS = ("korimba.exe", "Message.exe", "Cleaner.exe", "l3enc.exe", "l3dec.exe")


def zip_path():
    arch = {"win64": "x64", "win32": "x86"}[wine_arch()]
    return build_dir() / ("korimba-%s-%s.zip" % (VERSION, arch))


def program_contents():
    """What the build puts into the program folder, as paths below it."""
    names = list(PROGRAMS) + ["LAME-COPYING.txt", "mpg123-COPYING.txt",
                              "encoding.dat", "decoding.dat", "encoding.pif", "decoding.pif",
                              "samples/Images/left.bmp", "samples/Images/right.bmp"]
    names += ["help/" + page.name for page in (SOURCE_DIR / "resources" / "help").iterdir()]
    return sorted(names)


class ZipContentsTest(unittest.TestCase):
    def test_one_top_folder_holds_the_program_folder_and_nothing_else(self):
        with zipfile.ZipFile(zip_path()) as archive:
            self.assertIsNone(archive.testzip())
            files = {info.filename: archive.read(info) for info in archive.infolist()
                     if not info.is_dir()}
            folders = {info.filename for info in archive.infolist() if info.is_dir()}
        self.assertEqual(sorted(files), ["Korimba/" + name for name in program_contents()])
        self.assertEqual(folders, {"Korimba/", "Korimba/help/", "Korimba/samples/",
                                   "Korimba/samples/Images/"})
        for name, data in files.items():
            self.assertEqual(data, (build_dir() / "program" / name[len("Korimba/"):]).read_bytes(),
                             name)


# Runs in its own Python with KORIMBA_WINEPREFIX pointing at the fresh prefix:
# makes the prefix, unpacks the zip into it, sets the folder up as scripts/run.sh
# does, encodes a sample unattended and takes a shot of the main window.
SCENARIO = textwrap.dedent(r'''
    import json
    import sys
    import zipfile
    sys.path.insert(0, sys.argv[1])
    import korimba_e2e as e2e
    from audio_files import wav_bytes

    drv = e2e.driver()
    root = e2e.wine_prefix() / "drive_c" / "Unpacked Korimba"
    with zipfile.ZipFile(sys.argv[2]) as archive:
        archive.extractall(root)
    folder = root / "Korimba"
    program = e2e.windows_path(folder) + "\\"

    def write_lines(path, lines):
        path.write_bytes("".join(line + "\r\n" for line in lines).encode(e2e.ANSI))

    write_lines(folder / "Settings.ini", [program + "l3enc.exe", program + "l3dec.exe"])
    # The defaults but for the completion notice, which would wait for a person.
    write_lines(folder / "Prefs.ini", ["Minimized", "No", "No", "No", "No", "No", "Yes", "Yes",
                                       "1", "C:\\My MP3s\\", "No"])
    music = root / "Music"
    music.mkdir()
    (music / "Sample tone.wav").write_bytes(wav_bytes(3.0))

    encode = drv.start(program + "korimba.exe",
                       [e2e.windows_path(music / "Sample tone.wav"), "/encode"])
    exit_code = encode.wait_exit(timeout=120)

    shown = drv.start(program + "korimba.exe")
    main = shown.window(cls="TForm1")
    shot = e2e.screenshot("zip-package-main-window", main)
    shown.kill()
    print(json.dumps({"exit_code": exit_code, "folder": str(folder), "music": str(music),
                      "screenshot": str(shot)}), flush=True)
''')


def small_icon():
    """The 16-pixel image of the built icon: (r, g, b), or None where transparent."""
    icon = build_dir() / "resources" / "korimba.ico"
    widths = subprocess.run(["identify", "-format", "%w\n", str(icon)], capture_output=True,
                            text=True, check=True).stdout.split()
    _, _, rows = image_pixels(icon, widths.index("16"), "rgba")
    return [[pixel[:3] if pixel[3] else None for pixel in row] for row in rows]


def find_image(rows, width, height, image):
    """The top left corner where every opaque pixel of the image is on the screen."""
    for top in range(height - len(image) + 1):
        for left in range(width - len(image[0]) + 1):
            if all(colour is None or rows[top + y][left + x] == colour
                   for y, line in enumerate(image) for x, colour in enumerate(line)):
                return left, top
    return None


class UnpackedZipTest(unittest.TestCase):
    def test_encodes_unattended_from_the_unpacked_folder_in_a_fresh_prefix(self):
        with throwaway_prefix("zip-prefix") as (_, env):
            run = run_scenario(SCENARIO, zip_path(), env=env, timeout=600)
            self.assertEqual(run.returncode, 0, run.stderr[-3000:])
            result = json.loads(run.stdout.strip().splitlines()[-1])
            self.assertEqual(result["exit_code"], 0)

            folder, music = Path(result["folder"]), Path(result["music"])
            self.assertFalse((folder / "Encoding.bat").exists(), "the job's lock file is gone")
            mp3 = (music / "Sample tone.mp3").read_bytes()
            self.assertEqual(set(mp3_frames(mp3)[1:]), {(112, 44100)},
                             "the default 112000 bit/s, at the wave's rate")
            self.assertEqual(mp3_samples(mp3), 3 * 44100)
            self.assertEqual(sorted(path.name for path in music.iterdir()),
                             ["Sample tone.mp3", "Sample tone.wav"])

            # The title bar shows the note: the window class took korimba.exe's icon.
            width, height, rows = image_pixels(result["screenshot"])
            title_bar = rows[:min(height, 32)]
            self.assertIsNotNone(find_image(title_bar, width, len(title_bar), small_icon()),
                                 "the icon in the title bar of " + result["screenshot"])


if __name__ == "__main__":
    unittest.main()
