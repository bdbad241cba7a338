"""The setup program of the tested architecture, silent as administrators run
it: it installs for the user with a shortcut and an entry in Apps, the
installed program encodes, a second setup keeps the user's settings, a running
job stops both the setup and the uninstaller, and the uninstaller takes the
recovery hook out of Run and leaves only what the user put in the folder."""

import shutil
import subprocess
import unittest

import korimba_e2e as e2e
from audio_files import wav_bytes
from test_zip_package import VERSION, program_contents

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korimba"
# Exit code of a setup or uninstaller that refused.
REFUSED = 2


def setup_path():
    arch = {"win64": "x64", "win32": "x86"}[e2e.wine_arch()]
    return e2e.build_dir() / ("korimba-%s-%s-setup.exe" % (VERSION, arch))


def reg(*arguments):
    """reg.exe of the prefix: (exit code, output)."""
    reg_exe = e2e.wine_prefix() / "drive_c" / "windows" / "system32" / "reg.exe"
    run = subprocess.run([str(e2e.SOURCE_DIR / "scripts" / "wine-run.sh"), str(reg_exe),
                          *arguments], env=e2e.wine_env(), capture_output=True, text=True,
                         timeout=60)
    return run.returncode, run.stdout


def user_folder(*parts):
    """A folder of the prefix's user, on the host."""
    users = [path for path in (e2e.wine_prefix() / "drive_c" / "users").iterdir()
             if path.name.lower() != "public"]
    return users[0].joinpath(*parts)


def files_below(folder):
    return sorted(str(path.relative_to(folder)) for path in folder.rglob("*") if path.is_file())


class SetupProgramTest(unittest.TestCase):
    def setUp(self):
        self.drv = e2e.driver()
        self.folder = user_folder("AppData", "Local", "Programs", "Korimba")
        self.shortcut = user_folder("AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                    "Programs", "Korimba.lnk")
        run = self.drv.get_profile("Windows", "Run")
        self.addCleanup(self.drv.set_profile, "Windows", "Run", run or "")
        self.forget_install()
        self.addCleanup(self.forget_install)

    def forget_install(self):
        """No trace of an install in the prefix, also after a failed run."""
        shutil.rmtree(self.folder, ignore_errors=True)
        self.shortcut.unlink(missing_ok=True)
        reg("delete", UNINSTALL_KEY, "/f")

    def run_program(self, program, command_line="", timeout=60):
        """Runs a program by its Windows path with the command line as written
        (NSIS reads /D= and _?= only unquoted) and returns its exit code."""
        return self.drv.start(program, command_line=command_line).wait_exit(timeout=timeout)

    def install(self):
        return self.run_program(e2e.windows_path(setup_path()), "/S")

    def test_installs_encodes_upgrades_and_uninstalls_silently(self):
        self.assertEqual(self.install(), 0)
        # The files of the program folder and the uninstaller, byte for byte.
        self.assertEqual(files_below(self.folder), sorted(program_contents() + ["uninstall.exe"]))
        for name in program_contents():
            self.assertEqual((self.folder / name).read_bytes(),
                             (e2e.build_dir() / "program" / name).read_bytes(), name)
        self.assertTrue(self.shortcut.is_file())
        code, keys = reg("query", UNINSTALL_KEY)
        self.assertEqual(code, 0)
        program = e2e.windows_path(self.folder)
        uninstaller = program + "\\uninstall.exe"
        values = {line.split()[0]: line.split(None, 2)[2] for line in keys.splitlines()
                  if line.startswith("    ")}
        self.assertEqual(values, {
            "DisplayName": "Korimba", "DisplayVersion": VERSION,
            "Publisher": "The Korimba developers", "DisplayIcon": program + "\\korimba.exe,0",
            "InstallLocation": program, "UninstallString": '"%s"' % uninstaller,
            "QuietUninstallString": '"%s" /S' % uninstaller,
            "NoModify": "0x1", "NoRepair": "0x1", "EstimatedSize": values.get("EstimatedSize")})
        self.assertGreater(int(values["EstimatedSize"], 16), 1000, "kilobytes")

        music = e2e.wine_prefix() / "drive_c" / "Setup music"
        music.mkdir(exist_ok=True)
        self.addCleanup(shutil.rmtree, music, True)
        (music / "Sample tone.wav").write_bytes(wav_bytes(1.0))
        self.assertEqual(self.run_program(
            program + "\\korimba.exe",
            '"%s" /encode' % e2e.windows_path(music / "Sample tone.wav"), timeout=120), 0)
        self.assertGreater((music / "Sample tone.mp3").stat().st_size, 1000)

        # Over it: the programs are replaced, the user's settings and files stay.
        users = {"Settings.ini": b"C:\\Coders\\l3enc.exe\r\nC:\\Coders\\l3dec.exe\r\n",
                 "Prefs.ini": b"Hidden\r\nYes\r\n", "options.ini": b"Yes\r\nNo\r\n",
                 "Images/left.bmp": b"BM left", "My notes.txt": b"mine"}
        for name, data in users.items():
            (self.folder / name).parent.mkdir(exist_ok=True)
            (self.folder / name).write_bytes(data)
        (self.folder / "Message.exe").write_bytes(b"damaged")
        self.assertEqual(self.install(), 0)
        self.assertEqual((self.folder / "Message.exe").read_bytes(),
                         (e2e.build_dir() / "program" / "Message.exe").read_bytes())
        for name, data in users.items():
            self.assertEqual((self.folder / name).read_bytes(), data, name)

        # A job's script in the folder: neither setup nor uninstaller goes on.
        (self.folder / "Encoding.bat").write_bytes(b"@echo off\r\n")
        (self.folder / "Message.exe").write_bytes(b"damaged")
        self.assertEqual(self.install(), REFUSED)
        self.assertEqual(self.run_program(uninstaller, "/S _?=" + program), REFUSED)
        self.assertEqual((self.folder / "Message.exe").read_bytes(), b"damaged")
        self.assertTrue((self.folder / "uninstall.exe").is_file())
        (self.folder / "Encoding.bat").unlink()

        # Uninstalled after a restart cut a job short: the hook goes from Run
        # with the job's leftovers, the user's own Run value stays.
        self.drv.set_profile("Windows", "Run",
                             "C:\\TOOLS\\A.EXE," + self.drv.short_path(program + "\\Cleaner.exe"))
        (self.folder / "Temp" / "LE").mkdir(parents=True)
        (self.folder / "Temp" / "LE" / "BLUE.WAV").write_bytes(b"x")
        (self.folder / "EncList.dat").write_bytes(b"1\r\n2\r\n")
        self.assertEqual(self.run_program(uninstaller, "/S"), 0)
        e2e.wait_until(lambda: not (self.folder / "uninstall.exe").exists(), timeout=30)
        e2e.wait_until(lambda: files_below(self.folder) == ["Images/left.bmp", "My notes.txt"],
                       timeout=10, seen=lambda: files_below(self.folder))
        self.assertEqual(sorted(path.name for path in self.folder.iterdir()),
                         ["Images", "My notes.txt"])
        # The shortcut and the Apps entry go last, after the files.
        e2e.wait_until(lambda: not self.shortcut.exists(), timeout=10)
        e2e.wait_until(lambda: reg("query", UNINSTALL_KEY)[0] != 0, timeout=10)
        self.assertEqual(self.drv.get_profile("Windows", "Run"), "C:\\TOOLS\\A.EXE")


if __name__ == "__main__":
    unittest.main()
