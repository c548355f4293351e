"""Drives the real program in a private tmux server and reads its screen.

Each TmuxPane owns one tmux server (its own socket name), so tests never touch
a user's tmux and never see each other's panes. Screens are read with
capture-pane and turned into cells (character, foreground, background) so
that tests compare text and colours separately, never raw escape strings.

Colours are kept as ANSI indices: 0-7 for the normal eight, 8-15 for the
bright ones, whether tmux reports them as 30-37/90-97 or as 38;5;n. None is
the terminal's default colour.
"""
import fcntl
import os
import pty
import select
import shlex
import shutil
import struct
import subprocess
import tempfile
import termios
import time
import unittest
import uuid
from dataclasses import dataclass

COLUMNS, ROWS = 80, 25
RECORD_SIZE = 1024
PALETTE_OFFSET = 886  # attr[k] is the record byte at this offset + k

BIN = os.environ.get("SETUPEDIT_BIN", "")
MAKE_SAMPLE = os.environ.get("MAKE_SAMPLE_BIN", "")
EXAMPLES = os.environ.get("SETUPEDIT_EXAMPLES", "")

# Every run of the program gets a fixed, non-UTC time zone, so a header drawn
# from the wrong clock (UTC instead of local) shows.
TZ_NAME = "TST-05:30"
TZ_OFFSET_SECONDS = 5 * 3600 + 30 * 60

# The terminal types the main tests run under: xterm's, and tmux's own.
TERMS = ("xterm-256color", "tmux-256color")
# The main screen is also checked as rxvt-unicode and GNU screen describe
# themselves (line-drawing sets and key strings of their own).
MORE_TERMS = ("rxvt-unicode-256color", "screen-256color")

# The program draws the sixteen VGA colours with these 256-colour indices
# and, on truecolor, with these RGB values (both in BIOS order).
VGA_256 = (16, 19, 34, 37, 124, 127, 130, 248, 240, 63, 83, 87, 203, 207, 227, 231)
VGA_RGB = ((0, 0, 0), (0, 0, 170), (0, 170, 0), (0, 170, 170), (170, 0, 0), (170, 0, 170),
           (170, 85, 0), (170, 170, 170), (85, 85, 85), (85, 85, 255), (85, 255, 85),
           (85, 255, 255), (255, 85, 85), (255, 85, 255), (255, 255, 85), (255, 255, 255))
# DEC line-drawing letters as tmux reports cells drawn in that set.
DEC_GRAPHICS = {"j": "┘", "k": "┐", "l": "┌", "m": "└", "n": "┼", "q": "─", "t": "├", "u": "┤",
                "v": "┴", "w": "┬", "x": "│", "a": "▒"}


def requirements_missing():
    """Why the end-to-end tests cannot run here, or None. Only an absent tool
    or an unset variable skips; a variable naming a missing program fails
    (see check_programs), so a broken build cannot pass as skipped."""
    if shutil.which("tmux") is None:
        return "tmux is not installed; the end-to-end tests need it"
    for name, value in (("SETUPEDIT_BIN", BIN), ("MAKE_SAMPLE_BIN", MAKE_SAMPLE),
                        ("SETUPEDIT_EXAMPLES", EXAMPLES)):
        if not value:
            return f"{name} is not set; run the tests through ctest or set it"
    return None


def check_programs(test):
    for name, value in (("SETUPEDIT_BIN", BIN), ("MAKE_SAMPLE_BIN", MAKE_SAMPLE)):
        test.assertTrue(os.access(value, os.X_OK), f"{name}={value} is not an executable program")
    test.assertTrue(os.path.isdir(EXAMPLES), f"SETUPEDIT_EXAMPLES={EXAMPLES} is not a folder")


def skip_unless_ready(cls):
    reason = requirements_missing()
    return unittest.skip(reason)(cls) if reason else cls


# --- the sample data ------------------------------------------------------


def cp437(byte):
    return bytes([byte]).decode("cp437")


def read_catalogue(path):
    """Catalogue texts by line index (the sample's lines are all short)."""
    with open(path, "rb") as f:
        data = f.read()
    return [line.decode("cp437") for line in data.replace(b"\r\n", b"\n").split(b"\n")]


def text_at(record, offset, width):
    raw = record[offset:offset + width]
    return raw.split(b"\0", 1)[0].decode("cp437")


def attr(record, k):
    return record[PALETTE_OFFSET + k]


def bios_to_ansi(colour):
    """BIOS order has red and blue swapped against ANSI; bit 3 is bright."""
    low = colour & 7
    swapped = ((low & 1) << 2) | (low & 2) | ((low & 4) >> 2)
    return swapped | (colour & 8)


def colours_of(attribute):
    """The (foreground, background) ANSI pair that an attribute byte shows."""
    return bios_to_ansi(attribute & 0x0F), bios_to_ansi((attribute >> 4) & 7)


def run_in_pty(argv, cwd, env, timeout=20):
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", ROWS, COLUMNS, 0, 0))
    with subprocess.Popen(argv, cwd=cwd, env=env, stdin=slave, stdout=slave, stderr=subprocess.PIPE,
                          start_new_session=True) as process:
        os.close(slave)
        shown = b""
        deadline = time.monotonic() + timeout
        while process.poll() is None and time.monotonic() < deadline:
            if select.select([master], [], [], 0.05)[0]:
                try:
                    chunk = os.read(master, 65536)
                except OSError:
                    chunk = b""
                if chunk and not shown:
                    os.write(master, b"0")  # drawn: leave through the menu bar
                shown += chunk
        if process.poll() is None:
            process.kill()
        stderr = process.stderr.read()
        process.wait()
    os.close(master)
    return subprocess.CompletedProcess(argv, process.returncode, shown, stderr)


class Scratch:
    """A scratch folder with the sample company file, the English catalogue,
    SETUP.001, the help file and a fake help viewer; removed by the test."""

    def __init__(self, test):
        check_programs(test)
        self.locale = "C.UTF-8"  # the program's locale; "C" draws without UTF-8
        self.term_setup = ""     # shell commands that change TERM for the program, e.g. "unset TERM; "
        self.dir = tempfile.mkdtemp(prefix="setupedit-e2e-")
        test.addCleanup(shutil.rmtree, self.dir, True)
        self.company = self.path("DITTA.001")
        subprocess.run([MAKE_SAMPLE, self.company], check=True, timeout=10)
        for name in ("VELTRIS.ENG", "SETUP.001", "nolvex.hlp"):
            shutil.copy(os.path.join(EXAMPLES, name), self.dir)
        self.bin_dir = self.path("bin")
        os.mkdir(self.bin_dir)
        self.catalogue = read_catalogue(self.path("VELTRIS.ENG"))

    def path(self, *names):
        return os.path.join(self.dir, *names)

    def company_bytes(self):
        with open(self.company, "rb") as f:
            return f.read()

    def hold_company_time(self):
        """Sets the company file's times back to the epoch: any write after
        this, even of the bytes it holds, shows in company_written."""
        os.utime(self.company, ns=(0, 0))

    def company_written(self):
        return os.stat(self.company).st_mtime_ns != 0

    def run_program(self, args, terminal=False, **redirect):
        """Runs the program here, by default without a terminal: pipes for
        input and output. With terminal, standard input and output are an
        80x25 pseudo-terminal, and once the program draws it is left with 0."""
        self.hold_company_time()
        env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
        if not terminal:
            return subprocess.run([BIN, *args], cwd=self.dir, **(redirect or dict(stdin=subprocess.PIPE,
                                  capture_output=True)), timeout=20, env=env)
        return run_in_pty([BIN, *args], self.dir, dict(env, TERM="xterm-256color"))

    def exists(self, name):
        return os.path.exists(self.path(name))

    def read(self, name):
        with open(self.path(name), encoding="utf-8", errors="replace") as f:
            return f.read()

    def write_script(self, name, body):
        script = os.path.join(self.bin_dir, name)
        with open(script, "w") as f:
            f.write("#!/bin/sh\n" + body)
        os.chmod(script, 0o755)
        return script

    def program_command(self, args=('""', "001", "ENG")):
        """The shell words that run the program from the scratch folder, its
        stderr kept in a file so that sanitizer reports can be shown."""
        return " ".join([shlex.quote(BIN), *args]) + " 2> stderr.txt"

    def environment(self):
        """Shell exports for the pane: our fake viewer first, then examples."""
        path = f"{self.bin_dir}:{EXAMPLES}:{os.environ.get('PATH', '/usr/bin:/bin')}"
        return (f"export PATH={shlex.quote(path)} TZ={TZ_NAME} LC_ALL={self.locale} "
                f"ASAN_OPTIONS=detect_leaks=0; {self.term_setup}cd {shlex.quote(self.dir)}")


# --- parsing captured screens ---------------------------------------------


@dataclass(frozen=True)
class Cell:
    char: str
    fg: object  # ANSI index 0-15, ("256", n) for other palette entries, ("rgb", ...), or None
    bg: object
    bold: bool = False
    blink: bool = False
    reverse: bool = False


class _Pen:
    def __init__(self):
        self.reset()

    def reset(self):
        self.fg = self.bg = None
        self.bold = self.blink = self.reverse = False

    def apply(self, params):
        codes = [int(p) if p else 0 for p in params.split(";")] if params else [0]
        i = 0
        while i < len(codes):
            c = codes[i]
            if c == 0:
                self.reset()
            elif c == 1:
                self.bold = True
            elif c == 22:
                self.bold = False
            elif c in (5, 6):
                self.blink = True
            elif c == 25:
                self.blink = False
            elif c == 7:
                self.reverse = True
            elif c == 27:
                self.reverse = False
            elif 30 <= c <= 37:
                self.fg = c - 30
            elif 90 <= c <= 97:
                self.fg = c - 90 + 8
            elif c == 39:
                self.fg = None
            elif 40 <= c <= 47:
                self.bg = c - 40
            elif 100 <= c <= 107:
                self.bg = c - 100 + 8
            elif c == 49:
                self.bg = None
            elif c in (38, 48) and i + 1 < len(codes):
                if codes[i + 1] == 5 and i + 2 < len(codes):
                    n = codes[i + 2]
                    colour = n if n < 16 else ("256", n)
                    if n in VGA_256:  # the program's own VGA colours read as ANSI indices
                        colour = bios_to_ansi(VGA_256.index(n))
                    i += 2
                elif codes[i + 1] == 2 and i + 4 < len(codes):
                    colour = ("rgb",) + tuple(codes[i + 2:i + 5])
                    if colour[1:] in VGA_RGB:
                        colour = bios_to_ansi(VGA_RGB.index(colour[1:]))
                    i += 4
                else:
                    colour = None
                    i += 1
                if c == 38:
                    self.fg = colour
                else:
                    self.bg = colour
            i += 1

    def cell(self, char):
        return Cell(char, self.fg, self.bg, self.bold, self.blink, self.reverse)


def parse_capture(data, columns=COLUMNS):
    """Cells of a `capture-pane -p -e -N` dump. tmux carries the pen from one
    line to the next, so the state runs through the whole dump."""
    pen = _Pen()
    line_drawing = False
    rows, row = [], []
    i, n = 0, len(data)
    while i < n:
        ch = data[i]
        if ch == "\x1b":
            if i + 1 < n and data[i + 1] == "[":
                j = i + 2
                while j < n and not ("@" <= data[j] <= "~"):
                    j += 1
                if j < n and data[j] == "m":
                    pen.apply(data[i + 2:j])
                i = j + 1
            elif i + 1 < n and data[i + 1] in "()":
                i += 3  # character set designation
            else:
                i += 2
            continue
        if ch == "\n":
            rows.append(row)
            row = []
        elif ch in "\x0e\x0f":
            line_drawing = ch == "\x0e"
        elif ch != "\r":
            row.append(pen.cell(DEC_GRAPHICS.get(ch, ch) if line_drawing else ch))
        i += 1
    if row:
        rows.append(row)
    blank = Cell(" ", None, None)
    return [(r + [blank] * columns)[:columns] for r in rows]


class Screen:
    """One captured screen; rows and columns are 1-based as on the console."""

    def __init__(self, cells, cursor=(0, 0), cursor_visible=True, alternate=False):
        self.cells = cells
        self.cursor = cursor  # 1-based (column, row)
        self.cursor_visible = cursor_visible
        self.alternate = alternate

    def row(self, y):
        return "".join(c.char for c in self.cells[y - 1]) if y <= len(self.cells) else ""

    def text(self, x, y, length):
        return self.row(y)[x - 1:x - 1 + length]

    def colours(self, x, y, length=1):
        """The distinct (fg, bg) pairs over a run of cells."""
        return {(c.fg, c.bg) for c in self.cells[y - 1][x - 1:x - 1 + length]}

    def colour_at(self, x, y):
        c = self.cells[y - 1][x - 1]
        return c.fg, c.bg

    def lines(self):
        return [self.row(y) for y in range(1, len(self.cells) + 1)]

    def dump(self):
        return "\n".join(f"{y:2d}|{line}|" for y, line in enumerate(self.lines(), 1))


# --- the tmux pane ----------------------------------------------------------


class Timeout(AssertionError):
    pass


class TmuxPane:
    """One private tmux server with one 80x25 pane running `command`."""

    def __init__(self, test, command, term, env=None):
        self.socket = f"setupedit-e2e-{os.getpid()}-{uuid.uuid4().hex[:10]}"
        self.env = dict(os.environ, LC_ALL="C.UTF-8", **(env or {}))
        for name in ("TMUX", "COLORTERM", "SETUPEDIT_COLOURS"):  # the colour depth comes from TERM
            self.env.pop(name, None)
        test.addCleanup(self.kill)
        # The options must hold before the pane starts: the pane takes its
        # TERM from default-terminal, and Esc must not wait for tmux.
        self.tmux("start-server", ";", "set", "-g", "default-terminal", term, ";",
                  "set", "-g", "escape-time", "0", ";",
                  "set", "-g", "remain-on-exit", "on", ";",
                  "new-session", "-d", "-x", str(COLUMNS), "-y", str(ROWS), command)
        self.socket_path = self.tmux("display-message", "-p", "#{socket_path}").strip()

    def tmux(self, *args, check=True):
        result = subprocess.run(["tmux", "-L", self.socket, "-f", "/dev/null", *args],
                                env=self.env, capture_output=True, text=True, timeout=10)
        if check and result.returncode != 0:
            raise AssertionError(f"tmux {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def kill(self):
        subprocess.run(["tmux", "-L", self.socket, "-f", "/dev/null", "kill-server"],
                       env=self.env, capture_output=True, timeout=10)
        # tmux leaves the socket file of a killed server behind.
        path = getattr(self, "socket_path", "")
        if path and os.path.basename(path) == self.socket and os.path.exists(path):
            os.remove(path)

    def send(self, *keys):
        """Keys by tmux name (Enter, Right, C-x, C-End, DC ...)."""
        self.tmux("send-keys", "-t", "0", *keys)

    def type(self, text):
        self.tmux("send-keys", "-t", "0", "-l", text)

    def info(self, *names):
        out = self.tmux("display-message", "-p", "-t", "0",
                        "\t".join("#{%s}" % n for n in names)).rstrip("\n")
        return out.split("\t")

    def pane_pid(self):
        return int(self.info("pane_pid")[0])

    def capture(self):
        # The cursor and the cells come from two tmux calls: read the cursor
        # on both sides of the cells until it held still, so that a screen
        # never pairs new cells with an old cursor.
        names = ("cursor_x", "cursor_y", "cursor_flag", "alternate_on")
        state = self.info(*names)
        for _ in range(20):
            data = self.tmux("capture-pane", "-p", "-e", "-N", "-t", "0")
            again = self.info(*names)
            if again == state:
                break
            state = again
        cursor_x, cursor_y, flag, alternate = state
        return Screen(parse_capture(data), (int(cursor_x) + 1, int(cursor_y) + 1),
                      flag == "1", alternate == "1")

    def wait_for(self, predicate, what, timeout=5.0):
        """Polls the screen until predicate(screen) holds; returns that screen."""
        deadline = time.monotonic() + timeout
        while True:
            screen = self.capture()
            if predicate(screen):
                return screen
            if time.monotonic() > deadline:
                raise Timeout(f"timed out waiting for {what}; the screen was:\n{screen.dump()}"
                              f"\ncursor at {screen.cursor}")
            time.sleep(0.03)


def wait_until(predicate, what, timeout=5.0):
    deadline = time.monotonic() + timeout
    while not predicate():
        if time.monotonic() > deadline:
            raise Timeout(f"timed out waiting for {what}")
        time.sleep(0.03)


def child_pids(pid):
    """Direct children of a process, from /proc."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        # The command name is in parentheses and may hold spaces.
        fields = stat[stat.rfind(")") + 2:].split()
        if int(fields[1]) == pid:
            found.append(int(entry))
    return found


def program_pid(shell_pid, program=BIN):
    """The pid of the program run by the pane's shell, or None."""
    name = os.path.basename(program)[:15]
    for pid in child_pids(shell_pid):
        try:
            with open(f"/proc/{pid}/comm") as f:
                if f.read().strip() == name:
                    return pid
        except OSError:
            pass
    return None
