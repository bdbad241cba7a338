"""End-to-end harness: runs the real Windows programs under Wine and Xvfb.

One kdriver.exe per test run serves every command (see driver/Driver.cpp for
its protocol); each test gets a fresh program folder inside the prefix's
drive C and starts its programs afresh. Waits poll a condition with a timeout.

    class MainWindowTest(E2ETestCase):
        def test_starts_empty(self):
            folder = self.program_folder()
            program = self.start_korimba(folder)
            main = program.window(cls="TForm1")
            self.assertEqual(main.child(cls="Edit").text, "")
            self.screenshot("main", main)
"""

import atexit
import contextlib
import inspect
import json
import os
import select
import shutil
import subprocess
import sys
import time
import unittest
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]


# The code page of the programs' "A" functions, the driver's too: UTF-8 by their
# manifest.
ANSI = "utf-8"
# The manifest's entry that makes UTF-8 the programs' code page.
UTF8_ENTRY = (b'<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">'
              b'UTF-8</activeCodePage>')
DEFAULT_TIMEOUT = 10.0


def bitmap(width, height, colour_at):
    """A 24-bit .bmp file image, written as the sample package's tool writes one."""
    sys.path.insert(0, str(SOURCE_DIR / "tools" / "samples"))
    try:
        from make_package import bitmap as write
    finally:
        sys.path.pop(0)
    return write(width, height, colour_at)


def listing(folder):
    """Every file in a folder: name -> content."""
    return {path.name: path.read_bytes() for path in folder.iterdir()}


class HarnessError(Exception):
    pass


class DriverError(HarnessError):
    """The driver answered ERR."""


class WaitTimeout(HarnessError):
    pass


# ---------------------------------------------------------------- environment


def build_dir():
    return Path(os.environ.get("KORIMBA_BUILD_DIR", SOURCE_DIR / "build" / "win64")).resolve()


def wine_arch():
    """win64 or win32: the architecture of the programs under test and of their prefix."""
    return os.environ.get("KORIMBA_WINEARCH") or (
        "win32" if build_dir().name == "win32" else "win64")


def wine_prefix():
    configured = os.environ.get("KORIMBA_WINEPREFIX")
    return Path(configured).resolve() if configured else build_dir() / "wineprefix"


def wine_env():
    env = dict(os.environ)
    env.update(
        WINEPREFIX=str(wine_prefix()),
        KORIMBA_WINEPREFIX=str(wine_prefix()),
        WINEARCH=wine_arch(),
        KORIMBA_WINEARCH=wine_arch(),
        WINEDEBUG=os.environ.get("KORIMBA_WINEDEBUG", "-all"),
        WINEDLLOVERRIDES="mscoree,mshtml=",
    )
    return env


def wine_server(*arguments, env=None, **options):
    """Runs the Wine server of the prefix (of env, else of this run) with arguments."""
    return subprocess.run([str(SOURCE_DIR / "scripts" / "wine-server.sh"), *arguments],
                          env=env or wine_env(), **options)


@contextlib.contextmanager
def throwaway_prefix(name):
    """A Wine prefix of a test's own in the build tree, for what must not touch the
    run's prefix; yields (prefix, env) and removes it with everything in it at the end."""
    prefix = build_dir() / name
    shutil.rmtree(prefix, ignore_errors=True)
    env = dict(os.environ, KORIMBA_WINEPREFIX=str(prefix), WINEPREFIX=str(prefix))
    try:
        yield prefix, env
    finally:
        # Ended before the folder goes: a new prefix at the same place may get the
        # same inode, and with it a dying server that no longer finds its files.
        wine_server("-k", env=env, stderr=subprocess.DEVNULL)
        wine_server("-w", env=env, stderr=subprocess.DEVNULL)
        shutil.rmtree(prefix, ignore_errors=True)
        Path(str(prefix) + ".lock").unlink(missing_ok=True)  # scripts/wine-prefix.sh's


def set_display_scale(prefix, env, dpi):
    """Makes the prefix's display scale dpi dots per inch (LogPixels of the
    user's desktop), written while its server is down, for the programs started next."""
    subprocess.run([str(SOURCE_DIR / "scripts" / "wine-prefix.sh"), str(prefix),
                    env.get("KORIMBA_WINEARCH") or wine_arch()], env=env, check=True)
    wine_server("-k", env=env, stderr=subprocess.DEVNULL)
    wine_server("-w", env=env, stderr=subprocess.DEVNULL)
    registry = Path(prefix) / "user.reg"
    lines = registry.read_text().split("\n")
    start = next(i for i, line in enumerate(lines)
                 if line.startswith("[Control Panel\\\\Desktop] "))
    end = next(i for i in range(start + 1, len(lines)) if lines[i].startswith("["))
    body = [line for line in lines[start + 1:end] if not line.startswith('"LogPixels"=')]
    header = [line for line in body if line.startswith("#")]
    values = [line for line in body if not line.startswith("#")]
    lines[start + 1:end] = header + ['"LogPixels"=dword:%08x' % dpi] + values
    registry.write_text("\n".join(lines))


def run_scenario(script, *arguments, env, timeout):
    """Runs a test's scenario in a Python of its own (with the harness importable,
    its folder as argv[1]), so that it gets its own session in the prefix of env."""
    return subprocess.run([sys.executable, "-c", script, str(Path(__file__).resolve().parent),
                           *map(str, arguments)],
                          env=env, capture_output=True, text=True, timeout=timeout)


class _Session:
    """What lives for the whole run: the display, the driver, the wineserver."""

    xvfb = None
    driver = None
    started = False


def _ensure_display():
    if os.environ.get("DISPLAY") or _Session.xvfb:
        return
    # No display given: bring our own, on a free number Xvfb picks itself, of
    # the size asked for (a screen of a high scale is larger).
    read_end, write_end = os.pipe()
    size = os.environ.get("KORIMBA_SCREEN", "1024x768x24")
    _Session.xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp"],
        pass_fds=[write_end],
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise HarnessError("Xvfb did not start")
        number += chunk
    os.close(read_end)
    os.environ["DISPLAY"] = ":" + number.decode().strip()


def start_session():
    """Makes sure the prefix and a display exist; safe to call repeatedly."""
    if _Session.started:
        return
    _ensure_display()
    subprocess.run(
        [str(SOURCE_DIR / "scripts" / "wine-prefix.sh"), str(wine_prefix()), wine_arch()],
        env=wine_env(),
        check=True,
    )
    _Session.started = True
    atexit.register(end_session)


def end_session():
    """Ends the driver and this prefix's wineserver with everything still in it."""
    if _Session.driver:
        _Session.driver.quit()
        _Session.driver = None
    if _Session.started:
        wine_server("-k", stderr=subprocess.DEVNULL)
        wine_server("-w", stderr=subprocess.DEVNULL)
        _Session.started = False
    if _Session.xvfb:
        _Session.xvfb.terminate()
        _Session.xvfb.wait()
        _Session.xvfb = None


def driver():
    """The run's one driver, started on first use (and again if it died)."""
    start_session()
    if not _Session.driver or not _Session.driver.alive:
        _Session.driver = Driver()
    return _Session.driver


# ---------------------------------------------------------------- waiting


def wait_until(predicate, timeout=DEFAULT_TIMEOUT, interval=0.02, message=None, seen=None):
    """Polls until predicate() returns something true and returns that.

    On a time-out the failure names what was awaited (message) and what was
    seen: seen(), called then, when given; otherwise the predicate's last result.
    """
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() >= deadline:
            found = seen() if seen else "the last check gave %r" % (result,)
            raise WaitTimeout("%s: not within %.1f s; %s" % (
                message or "waiting for %s" % _describe_predicate(predicate), timeout, found))
        time.sleep(interval)


def _describe_predicate(predicate):
    """The source line of a lambda or the name of a function, for a failure message."""
    try:
        return inspect.getsource(predicate).strip()
    except (OSError, TypeError):
        return getattr(predicate, "__qualname__", repr(predicate))


# ---------------------------------------------------------------- paths


def _drive_roots():
    """Drive letter -> host folder, from the prefix's dosdevices links."""
    roots = {}
    devices = wine_prefix() / "dosdevices"
    for link in devices.iterdir():
        name = link.name.lower()
        if len(name) == 2 and name[1] == ":" and link.is_symlink():
            roots[name[0].upper()] = (devices / os.readlink(link)).resolve()
    return roots


def windows_path(host):
    """The Windows name of a host path: through drive C when inside it, else Z:."""
    host = Path(host).resolve()
    best = None
    for letter, root in _drive_roots().items():
        if host == root or root in host.parents:
            if best is None or len(root.parts) > len(best[1].parts):
                best = (letter, root)
    if best is None:
        raise HarnessError("no drive holds %s" % host)
    relative = host.relative_to(best[1])
    return best[0] + ":\\" + "\\".join(relative.parts)


def host_path(windows):
    """The host path of a Windows path; names match case-insensitively, as on Windows."""
    drive, _, rest = windows.partition(":")
    roots = _drive_roots()
    if len(drive) != 1 or drive.upper() not in roots:
        raise HarnessError("not a drive path: %s" % windows)
    path = roots[drive.upper()]
    for part in [p for p in rest.replace("/", "\\").split("\\") if p]:
        exact = path / part
        if not exact.exists() and path.is_dir():
            matches = [c for c in path.iterdir() if c.name.lower() == part.lower()]
            if matches:
                exact = matches[0]
        path = exact
    return path


def quote_arguments(arguments):
    """A command line as korimba.exe splits it: blanks separate, quotes group.

    Backslashes are plain characters there, so nothing is escaped; an argument
    holding a double quote cannot be written and is refused.
    """
    parts = []
    for argument in arguments:
        if '"' in argument:
            raise HarnessError("an argument cannot hold a double quote: %r" % argument)
        needs_quotes = not argument or any(c <= " " for c in argument)
        parts.append('"%s"' % argument if needs_quotes else argument)
    return " ".join(parts)


# ---------------------------------------------------------------- program folder


class ProgramFolder:
    """A fresh folder inside drive C holding copies of the programs under test."""

    PROGRAMS = ("korimba.exe", "Message.exe", "Cleaner.exe", "l3enc.exe", "l3dec.exe")

    def __init__(self, test_name, folder_name="Korimba"):
        start_session()
        safe = "".join(c if c.isalnum() or c in "-_." else "_" for c in test_name)
        root = wine_prefix() / "drive_c" / "e2e" / safe
        if root.exists():
            shutil.rmtree(root)
        self.host = root / folder_name
        self.host.mkdir(parents=True)
        # Ends with a backslash, as the program's own idea of its folder does.
        self.windows = windows_path(self.host) + "\\"

    def path(self, relative=""):
        if not relative:
            return self.host
        return self.host.joinpath(*relative.replace("\\", "/").split("/"))

    def win(self, relative=""):
        return self.windows + relative.replace("/", "\\")

    def copy_programs(self, names=PROGRAMS, source=None):
        """Copies the named programs that the build made; returns those copied."""
        source = Path(source) if source else build_dir()
        copied = []
        for name in names:
            if (source / name).is_file():
                shutil.copy2(source / name, self.host / name)
                copied.append(name)
        return copied

    def without_utf8(self):
        """The copied programs as Windows before 10 1903 runs them: their manifest's
        code page entry made a comment of the same length, so that they work in
        the legacy ANSI code page of the locale."""
        comment = b"<!--" + b" " * (len(UTF8_ENTRY) - 7) + b"-->"
        for program in (self.host / name for name in self.PROGRAMS):
            if not program.exists():
                continue
            data = program.read_bytes()
            if data.count(UTF8_ENTRY) != 1:
                raise HarnessError("%s has no code page entry to take out" % name)
            program.write_bytes(data.replace(UTF8_ENTRY, comment))

    def write_bytes(self, relative, data):
        target = self.path(relative)
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
        return target

    def write_lines(self, relative, lines):
        """A text file as the program writes them: ANSI, CR LF after every line."""
        return self.write_bytes(relative, "".join(line + "\r\n" for line in lines).encode(ANSI))

    def write_text(self, relative, text):
        """Text as given, with each LF made CR LF."""
        crlf = text.replace("\r\n", "\n").replace("\n", "\r\n")
        return self.write_bytes(relative, crlf.encode(ANSI))

    def read_bytes(self, relative):
        return self.path(relative).read_bytes()

    def read_text(self, relative):
        return self.read_bytes(relative).decode(ANSI)

    def read_lines(self, relative):
        """Lines of a CR LF file; a missing final CR LF is an error, as it is for the program."""
        text = self.read_text(relative)
        if text and not text.endswith("\r\n"):
            raise HarnessError("%s does not end with CR LF" % relative)
        return text.split("\r\n")[:-1] if text else []

    def exists(self, relative):
        return self.path(relative).exists()

    def remove(self, relative):
        target = self.path(relative)
        if target.is_dir():
            shutil.rmtree(target)
        elif target.exists():
            target.unlink()


# ---------------------------------------------------------------- screen pixels


def screenshot_dir():
    folder = build_dir() / "screenshots"
    folder.mkdir(parents=True, exist_ok=True)
    return folder


def _grab(crop, output):
    """The screen, or its part crop = (left, top, width, height), written by
    ImageMagick as output ("png:FILE", or "rgb:-" to stdout); returns stdout."""
    cut = ["-crop", "%dx%d+%d+%d" % (crop[2], crop[3], crop[0], crop[1]), "+repage"] if crop else []
    # No time chunks, so that two shots of the same pixels are the same file.
    options = cut + ["-depth", "8", "-define", "png:exclude-chunks=date,time", output]
    if shutil.which("import"):
        return subprocess.run(["import", "-silent", "-window", "root"] + options,
                              capture_output=True, check=True).stdout
    # Without ImageMagick's import: xwd dumps the screen, convert cuts and converts.
    dump = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
    return subprocess.run(["convert", "xwd:-"] + options, input=dump, capture_output=True,
                          check=True).stdout


def xdotool(*arguments):
    """Real X input (or a question to the X server) through xdotool; its output."""
    return subprocess.run(["xdotool"] + [str(a) for a in arguments], check=True, timeout=30,
                          capture_output=True, text=True).stdout


def pointer():
    """Where the real pointer is, (x, y) on the screen."""
    place = dict(line.split("=", 1) for line in xdotool("getmouselocation", "--shell").split())
    return int(place["X"]), int(place["Y"])


def move_pointer(x, y):
    """Moves the real pointer and returns once the X server has it there.
    xdotool's --sync waits for the pointer to move, which it does not when it
    is there already."""
    if pointer() != (x, y):
        xdotool("mousemove", "--sync", x, y)


def _rows(data, width, height, step=3):
    return [[tuple(data[step * (y * width + x):step * (y * width + x) + step])
             for x in range(width)] for y in range(height)]


def screen_pixels(left, top, width, height):
    """The screen's pixels in a rectangle, as rows of (r, g, b)."""
    return _rows(_grab((left, top, width, height), "rgb:-"), width, height)


def image_pixels(image, frame=None, channels="rgb"):
    """(width, height, rows of pixel tuples) of an image file (one frame of an icon)."""
    source = str(image) if frame is None else "%s[%d]" % (image, frame)
    size = subprocess.run(["identify", "-format", "%w %h", source], capture_output=True,
                          text=True, check=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    data = subprocess.run(["convert", source, "-depth", "8", channels + ":-"],
                          capture_output=True, check=True).stdout
    return width, height, _rows(data, width, height, len(channels))


def screenshot(name, window=None, timeout=3.0):
    """Saves <build>/screenshots/<name>.png of the screen or of one window.

    Wine paints and flushes asynchronously, so shots are taken until two in a
    row are the same.
    """
    target = screenshot_dir() / (name + ".png")
    crop = None
    if window is not None:
        left, top, right, bottom = window.rect()["window"]
        crop = (left, top, right - left, bottom - top)
        window.sync()
    previous = None
    deadline = time.monotonic() + timeout
    while True:
        _grab(crop, "png:" + str(target))
        data = target.read_bytes()
        if data == previous or time.monotonic() >= deadline:
            return target
        previous = data


# ---------------------------------------------------------------- driver


def _quote(token):
    text = str(token)
    escaped = (
        text.replace("\\", "\\\\")
        .replace('"', '\\"')
        .replace("\n", "\\n")
        .replace("\r", "\\r")
        .replace("\t", "\\t")
    )
    return '"%s"' % escaped


def window_path(*levels):
    """A driver window path from criteria dicts, the first for the top-level window.

    Keys: hwnd, pid, cls, caption, caption_contains, id, index, visible, enabled.
    """
    keys = {"cls": "class", "caption_contains": "caption~"}
    tokens = ["["]
    for number, level in enumerate(levels):
        if number:
            tokens.append(">")
        for key, value in level.items():
            if value is None:
                continue
            if isinstance(value, bool):
                value = int(value)
            tokens.append(keys.get(key, key) + "=" + _quote(value))
    tokens.append("]")
    return " ".join(tokens)


class Driver:
    """kdriver.exe under Wine, one command and one answer at a time.

    A driver of a test's own can be given variables for itself and every program
    it starts, such as LC_ALL=ru_RU.UTF-8 for a locale (Wine takes the legacy
    code pages from it). The driver itself speaks UTF-8 (its manifest).
    """

    def __init__(self, environment=None):
        program = build_dir() / "kdriver.exe"
        if not program.is_file():
            raise HarnessError("%s is not built" % program)
        start_session()
        self._log = open(build_dir() / "kdriver.log", "ab")
        self._process = subprocess.Popen(
            [str(SOURCE_DIR / "scripts" / "wine-run.sh"), str(program)],
            stdin=subprocess.PIPE,
            stdout=subprocess.PIPE,
            stderr=self._log,
            env=dict(wine_env(), **(environment or {})),
        )
        self._buffer = b""
        self.call("ping", timeout=60)

    @property
    def alive(self):
        return self._process.poll() is None

    def call(self, command, *arguments, timeout=30.0):
        """Runs one command; returns its JSON result (None for a bare OK)."""
        line = " ".join([command] + [str(a) for a in arguments]) + "\n"
        try:
            self._process.stdin.write(line.encode(ANSI))
            self._process.stdin.flush()
            answer = self._read_line(timeout)
        except (HarnessError, OSError) as error:
            # A late answer would be taken for the next command's: start afresh.
            self._process.kill()
            raise HarnessError("driver lost during %r: %s" % (command, error)) from error
        status, _, rest = answer.partition(" ")
        if status == "OK":
            return json.loads(rest) if rest else None
        if status == "ERR":
            raise DriverError("%s: %s" % (command, rest))
        raise HarnessError("driver answered %r" % answer)

    def _read_line(self, timeout):
        deadline = time.monotonic() + timeout
        output = self._process.stdout.fileno()
        while b"\n" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise HarnessError("the driver did not answer within %.0f s" % timeout)
            ready, _, _ = select.select([output], [], [], left)
            if ready:
                chunk = os.read(output, 65536)
                if not chunk:
                    raise HarnessError("the driver ended")
                self._buffer += chunk
        line, _, self._buffer = self._buffer.partition(b"\n")
        return line.decode(ANSI).rstrip("\r")

    def quit(self):
        if self.alive:
            try:
                self.call("quit", timeout=5)
            except HarnessError:
                pass
            try:
                self._process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        self._log.close()

    # Windows

    def windows(self, pid=None):
        return self.call("windows", *([pid] if pid is not None else []))

    def find(self, *levels):
        """The window a path names, or None."""
        try:
            return Window(self, self.call("find", window_path(*levels)))
        except DriverError as error:
            if "no such window" not in str(error):
                raise
            return None

    def wait_window(self, *levels, timeout=DEFAULT_TIMEOUT):
        try:
            hwnd = self.call(
                "wait", window_path(*levels), int(timeout * 1000), timeout=timeout + 30
            )
        except DriverError as error:
            raise WaitTimeout("no window %s within %.1f s; %s" % (
                levels, timeout, self._shown(levels[0].get("pid")))) from error
        return Window(self, hwnd)

    def wait_gone(self, *levels, timeout=DEFAULT_TIMEOUT):
        try:
            self.call("gone", window_path(*levels), int(timeout * 1000), timeout=timeout + 30)
        except DriverError as error:
            raise WaitTimeout("window %s still there after %.1f s; %s" % (
                levels, timeout, self._shown(levels[0].get("pid")))) from error

    def _shown(self, pid=None):
        """The visible top-level windows (of a process), for a failure message."""
        shown = [(w["hwnd"], w["pid"], w["class"], w["caption"]) for w in self.windows(pid)
                 if w["visible"]]
        return "visible top-level windows%s: %s" % (" of pid %s" % pid if pid else "", shown)

    # Processes

    def start(self, program, arguments=(), cwd=None, command_line=None):
        """Starts a Windows program; command_line, when given, is used as written."""
        line = command_line if command_line is not None else quote_arguments(arguments)
        extra = [_quote(cwd)] if cwd else []
        pid = self.call("start", _quote(program), _quote(line), *extra)
        return Program(self, pid, program)

    def processes(self):
        """Every process of the prefix: pid, parent, exe (file name only)."""
        return self.call("processes")

    def processes_named(self, exe):
        """Programs for the running processes of this file name, any case."""
        return [Program(self, p["pid"], p["exe"]) for p in self.processes()
                if p["exe"].lower() == exe.lower()]

    def started_processes_named(self, exe):
        """As processes_named, once there is one: a script's "start" may return
        before the program it starts exists."""
        return wait_until(lambda: self.processes_named(exe),
                          message="a process of %s" % exe)

    def listen(self, pid):
        """Hears from now on what the process tells screen readers; 0 stops."""
        self.call("listen", str(pid))

    def heard(self):
        """The events heard since the last call, once the queue has been quiet:
        [{"event", "window", "object", "child"}]."""
        return self.call("heard")

    # Profile files (win.ini unless another file is named)

    def code_pages(self):
        """{"ansi": ..., "oem": ...}: the system's legacy code pages, which the
        programs without the UTF-8 entry and the interpreter get."""
        return self.call("codepages")

    def short_path(self, path):
        """The 8.3 form of an existing Windows path, or None."""
        return self.call("shortpath", _quote(path))

    def get_profile(self, section, key, file="win.ini"):
        """The value, or None when the key is not there."""
        return self.call("getprofile", _quote(file), _quote(section), _quote(key))

    def set_profile(self, section, key, value, file="win.ini"):
        self.call("setprofile", _quote(file), _quote(section), _quote(key), _quote(value))

    def delete_profile(self, section, key, file="win.ini"):
        self.call("delprofile", _quote(file), _quote(section), _quote(key))


def win_ini():
    """The host path of win.ini: Wine keeps it as a plain file in C:\\windows."""
    return host_path("C:\\windows\\win.ini")


# ---------------------------------------------------------------- windows


def _criteria(cls=None, caption=None, caption_contains=None, id=None, index=None,
              visible=None, enabled=None):
    return {
        "cls": cls,
        "caption": caption,
        "caption_contains": caption_contains,
        "id": id,
        "index": index,
        "visible": visible,
        "enabled": enabled,
    }


class Window:
    """One window of a program under test, by handle."""

    def __init__(self, drv, hwnd):
        self.driver = drv
        self.hwnd = hwnd

    def __repr__(self):
        return "Window(%d)" % self.hwnd

    def __eq__(self, other):
        return isinstance(other, Window) and other.hwnd == self.hwnd

    def __hash__(self):
        return self.hwnd

    def _call(self, command, *arguments, **options):
        return self.driver.call(command, self.hwnd, *arguments, **options)

    # State

    def info(self):
        """hwnd, pid, tid, class, caption, visible, enabled, rect; id and parent for a child."""
        return self._call("info")

    @property
    def exists(self):
        return self.driver.find({"hwnd": self.hwnd}) is not None

    @property
    def cls(self):
        return self.info()["class"]

    @property
    def caption(self):
        """The caption Windows keeps for the window (for an edit, use text)."""
        return self.info()["caption"]

    @property
    def visible(self):
        return self.info()["visible"]

    @property
    def enabled(self):
        return self.info()["enabled"]

    @property
    def text(self):
        """The live text, by WM_GETTEXT."""
        return self._call("text")

    def set_text(self, text):
        """WM_SETTEXT: an edit reports the change (EN_CHANGE) as typing would."""
        self._call("settext", _quote(text))

    @property
    def checked(self):
        """BM_GETCHECK: 0 unchecked, 1 checked, 2 indeterminate."""
        return self._call("check")

    def rect(self):
        """{"window": [l, t, r, b], "client": [l, t, r, b]} in screen pixels."""
        return self._call("rect")

    def sync(self):
        """Returns once the window's thread has handled a sent message."""
        self._call("text")

    def pixels(self, left=0, top=0, width=None, height=None, area="window"):
        """What the screen shows of the window now, once its thread has handled
        what came before: rows of (r, g, b) of a rectangle relative to the
        window's top left corner (area "window") or its client area ("client"),
        the whole of it unless given."""
        a_left, a_top, a_right, a_bottom = self.rect()[area]
        self.sync()
        return screen_pixels(a_left + left, a_top + top,
                             a_right - a_left - left if width is None else width,
                             a_bottom - a_top - top if height is None else height)

    # Children

    def children(self):
        return self._call("children")

    def child(self, cls=None, caption=None, caption_contains=None, id=None, index=None,
              visible=None, enabled=None):
        """A descendant; index counts matches in creation order, from 0."""
        criteria = _criteria(cls, caption, caption_contains, id, index, visible, enabled)
        found = self.driver.find({"hwnd": self.hwnd}, criteria)
        if found is None:
            raise HarnessError("no child %s in %r" % (
                {k: v for k, v in criteria.items() if v is not None}, self))
        return found

    def wait_child(self, timeout=DEFAULT_TIMEOUT, **criteria):
        return self.driver.wait_window({"hwnd": self.hwnd}, _criteria(**criteria),
                                       timeout=timeout)

    # Actions

    def click(self):
        """BM_CLICK, posted: a click that opens a modal box does not hold the harness."""
        self._call("click")

    def command(self, code=0):
        """Posts the parent the WM_COMMAND this control sends (BN_CLICKED by default)."""
        self._call("command", code)

    def mouse(self, action="click", x=1, y=1):
        """Posted mouse messages at a client point; actions move down up click dblclick rclick."""
        self._call("mouse", action, x, y)

    def real_mouse(self, action="click", x=1, y=1):
        """System mouse input (SetCursorPos + SendInput) at a client point."""
        self._call("input-mouse", action, x, y)

    def key(self, key):
        """Posted WM_KEYDOWN/WM_KEYUP to the focused control inside this window."""
        self._call("key", _quote(key))

    def alt_key(self, key):
        """Posted WM_SYSKEYDOWN/WM_SYSKEYUP: an Alt accelerator such as alt_key("G")."""
        self._call("syskey", _quote(key))

    def type(self, text):
        """Posted WM_CHAR for each character, to the focused control inside this window."""
        self._call("chars", _quote(text))

    def real_key(self, key):
        """System keyboard input (SendInput) after bringing the window to the front;
        key like "alt+g", "ctrl+shift+TAB", "RETURN"."""
        self._call("input-key", _quote(key))

    def focus(self):
        """Gives this control the focus; False when a focus handler is still busy."""
        return self._call("focus")

    def focused(self):
        """The focused window of this window's thread, or None."""
        hwnd = self._call("focused")["focus"]
        return Window(self.driver, hwnd) if hwnd else None

    def thread_state(self):
        """focus, active, capture, foreground handles (GetGUIThreadInfo), and
        focusRoot, the top-level window holding the focus."""
        return self._call("focused")

    def wait_settled(self, timeout=5.0, in_background_too=False):
        """Waits until this window's thread has finished an activation: a window
        is active and the focus lies inside it.

        A new window is visible a few milliseconds before Wine activates it; the
        activation then moves the focus, undoing any focus given in between.
        Wine activates no window of a program while another program's window is
        in the foreground (as Windows keeps the foreground from a program in the
        background); a window that comes up then is let go after the time-out,
        and so, with in_background_too, is one that comes up while the program
        does not hold the foreground, such as a box at the end of a job that
        ran in a console window of its own. Any other thread that never settles
        fails.
        """
        state = {}

        def settled():
            state.update(self.thread_state())
            return state["active"] and state.get("focusRoot") == state["active"]

        try:
            wait_until(settled, timeout)
        except WaitTimeout:
            foreground = self._foreground(state["foreground"])
            mine = self.info()["pid"]
            if foreground and foreground["pid"] != mine and foreground["class"] != "#32769":
                return
            if in_background_too and not (foreground and foreground["pid"] == mine):
                return
            raise WaitTimeout(
                "%r: its thread never had an active window holding the focus within %.1f s, "
                "though no other program held the foreground: active %s, focus %s in %s, "
                "foreground %s" % (self, timeout, state["active"], state["focus"],
                                   state.get("focusRoot"), foreground or state["foreground"])
            ) from None

    def _foreground(self, hwnd):
        """The foreground window's description, or None when there is none."""
        if not hwnd:
            return None
        try:
            return Window(self.driver, hwnd).info()
        except DriverError as error:
            if "no such window" not in str(error):
                raise
            return None  # gone meanwhile

    def bring_to_front(self):
        self._call("foreground")

    def combo(self):
        """{"index", "text", "count", "items"} of a combobox."""
        return self._call("combo")

    def select(self, index):
        """Selects an item and tells the parent, as a user's choice does."""
        self._call("select", index)

    def accessible(self):
        """What a screen reader is told of the window, asked through its accessible
        object from the driver's process: name, shortcut, action, role, state,
        description and parts (simple-element children: name, role)."""
        return self._call("accessible")

    def do_default_action(self):
        """accDoDefaultAction on the window's accessible object: its HRESULT."""
        return self._call("accdo")["result"]

    def close(self):
        """Posts WM_CLOSE."""
        self._call("close")

    def drop(self, *files):
        """Drops files on the window as the shell does (WM_DROPFILES, wide names)."""
        self._call("drop", *[_quote(f) for f in files])

    def wait_gone(self, timeout=DEFAULT_TIMEOUT):
        """Waits until the window is destroyed or hidden."""
        self.driver.wait_gone({"hwnd": self.hwnd, "visible": True}, timeout=timeout)

    def wait_text(self, expected, timeout=DEFAULT_TIMEOUT):
        wait_until(lambda: self.text == expected, timeout,
                   message="text of %r to become %r" % (self, expected),
                   seen=lambda: "it is %r" % self.text)

    def xdotool(self, *arguments):
        """Real X input through xdotool, aimed at this window's X11 window:
        xdotool("key", "alt+g") or xdotool("type", "text")."""
        info = self.info()
        if "root" in info:
            info = Window(self.driver, info["root"]).info()
        xwindow = info.get("xwindow") or 0
        if not xwindow:
            raise HarnessError("%r has no X11 window" % self)
        subprocess.run(["xdotool", "windowfocus", "--sync", str(xwindow)], check=True,
                       timeout=10)
        subprocess.run(["xdotool"] + list(arguments), check=True, timeout=30)

    def screenshot(self, name):
        return screenshot(name, self)


class MessageBox(Window):
    """A message box (class #32770): its title, text and buttons."""

    def _contents(self):
        return self._call("msgbox")

    @property
    def title(self):
        return self._contents()["caption"]

    @property
    def message(self):
        return self._contents()["text"]

    @property
    def buttons(self):
        """Button captions without their accelerator ampersands."""
        return [b.replace("&", "") for b in self._contents()["buttons"]]

    def answer(self, button):
        """Presses the button with this caption ("Yes", "&No", "OK") and waits for the box to go."""
        self._call("answer", _quote(button))
        self.wait_gone()


# ---------------------------------------------------------------- programs


class Program:
    """A Windows process started by the driver."""

    def __init__(self, drv, pid, path):
        self.driver = drv
        self.pid = pid
        self.path = path
        self.exit_code = None

    def __repr__(self):
        return "Program(%s, pid %d)" % (self.path, self.pid)

    def window(self, cls=None, caption=None, caption_contains=None, visible=True,
               timeout=DEFAULT_TIMEOUT, in_background_too=False):
        """Waits for a top-level window of this process; a visible one also
        until its activation has finished (see Window.wait_settled)."""
        window = self.driver.wait_window(
            {"pid": self.pid, "cls": cls, "caption": caption,
             "caption_contains": caption_contains, "visible": visible},
            timeout=timeout)
        if visible:
            window.wait_settled(in_background_too=in_background_too)
        return window

    def windows(self):
        return self.driver.windows(self.pid)

    def message_box(self, timeout=DEFAULT_TIMEOUT):
        """Waits for a visible message box of this process, which is activated
        unless the program is in the background (see Window.wait_settled)."""
        window = self.window(cls="#32770", timeout=timeout, in_background_too=True)
        return MessageBox(self.driver, window.hwnd)

    def message_box_now(self):
        """The visible message box of this process, or None."""
        found = self.driver.find({"pid": self.pid, "cls": "#32770", "visible": True})
        return MessageBox(self.driver, found.hwnd) if found else None

    @property
    def running(self):
        if self.exit_code is not None:
            return False
        try:
            self.exit_code = self.driver.call("exitcode", self.pid, 0)
            return False
        except DriverError as error:
            if "timeout" in str(error):
                return True
            if "no such process" in str(error):
                return False  # ended and already gone from the process table
            raise

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """Waits for the process to end and returns its exit code."""
        if self.exit_code is None:
            try:
                self.exit_code = self.driver.call(
                    "exitcode", self.pid, int(timeout * 1000), timeout=timeout + 30)
            except DriverError as error:
                raise WaitTimeout("%r still runs after %.1f s" % (self, timeout)) from error
        return self.exit_code

    def kill(self):
        if self.exit_code is None:
            _kill(self.driver, self.pid)
            self.exit_code = -1


def _kill(drv, pid):
    """Ends a process; one that has ended and gone meanwhile is no error."""
    try:
        drv.call("kill", pid)
    except DriverError as error:
        if "no such process" not in str(error):
            raise


# ---------------------------------------------------------------- test case


class E2ETestCase(unittest.TestCase):
    """Gives each test the shared driver and ends whatever the test started."""

    # What the tests run, and what those programs start in turn.
    TEST_PROGRAMS = {"korimba.exe", "message.exe", "cleaner.exe", "l3enc.exe", "l3dec.exe",
                     "cmd.exe", "conhost.exe", "slowcoder.exe", "gatecoder.exe", "deltree.exe",
                     "kfixture.exe", "paneldemo.exe"}

    def setUp(self):
        self.driver = driver()
        self._programs = []
        self._running_before = {p["pid"] for p in self.driver.processes()}
        self.addCleanup(self.end_programs)

    def end_programs(self):
        """Ends every program the test started and everything they started in
        turn (scripts, coders, message windows), found by parent process ids,
        and every test program that came up meanwhile, such as a message window
        whose script has ended, so that none is left for the next test."""
        family = {program.pid for program in self._programs}
        table = self.driver.processes()
        family |= {p["pid"] for p in table if p["pid"] not in self._running_before
                   and p["exe"].lower() in self.TEST_PROGRAMS}
        grew = True
        while grew:
            grew = False
            for process in table:
                if process["parent"] in family and process["pid"] not in family:
                    family.add(process["pid"])
                    grew = True
        programs, self._programs = self._programs, []
        for program in programs:
            family.discard(program.pid)
            program.kill()
        for pid in family:
            _kill(self.driver, pid)

    def _short_name(self):
        return self.id().split(".", 1)[-1]

    def program_folder(self, folder_name="Korimba", programs=ProgramFolder.PROGRAMS):
        """C:\\e2e\\<test>\\<folder_name>\\, emptied, with the built programs copied in."""
        folder = ProgramFolder(self._short_name(), folder_name)
        folder.copy_programs(programs)
        return folder

    def start(self, program, arguments=(), cwd=None, command_line=None):
        started = self.driver.start(program, arguments, cwd, command_line)
        self._programs.append(started)
        return started

    def start_korimba(self, folder, arguments=(), command_line=None):
        return self.start(folder.win("korimba.exe"), arguments, command_line=command_line)

    def screenshot(self, name, window=None, timeout=3.0):
        """A shot of the screen or a window; give moving content a short timeout."""
        return screenshot(self._short_name() + "-" + name, window, timeout)
