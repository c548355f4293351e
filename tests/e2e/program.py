"""What the program's main screen should look like, computed from the
sample record and catalogue, and a test base that runs the program in tmux."""
import datetime
import os
import shlex
import unittest

from tmux_screen import (COLUMNS, TERMS, TZ_OFFSET_SECONDS, Scratch, TmuxPane, colours_of, cp437,
                         program_pid, skip_unless_ready, text_at, wait_until)

# Record offsets the tests read.
HEADING = {n: 32 * n for n in range(6)}  # heading[n], 32 bytes each
PRINTER_NAME = (320, 352)
ACTIVE_SET = 868
PRINTER_PARAMS = 870  # + 8 x row
CURRENCY_CODE = 400   # + 4 x row
CURRENCY_RATE = 448   # + 8 x row
SETUP_EXT = 864

# Palette slots the main screen is drawn with.
MENU_NORMAL, MENU_NORMAL_HOTKEY = 75, 77
MENU_CURSOR, MENU_CURSOR_HOTKEY = 79, 80
MENU_SELECTED, MENU_SELECTED_HOTKEY = 81, 82
MAIN_FRAME, DIALOG, BACKGROUND, STATUS_TEXT = 91, 84, 124, 136
MESSAGE_COLOURS = colours_of(0x40)  # black on red

BANNER_TAIL = "12-8-2016 ver.008"
BANNER_LENGTH = 38
MENU_HINT = 13

TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT = cp437(218), cp437(191), cp437(192), cp437(217)
SINGLE, DOUBLE, SIDE = cp437(196), cp437(205), cp437(179)


def with_bytes(record, offset, data):
    return record[:offset] + data + record[offset + len(data):]


def with_text(record, offset, width, text):
    """The record after storing a text: the text, then zero bytes."""
    data = text.encode("cp437")
    return with_bytes(record, offset, data + bytes(width - len(data)))


def hotkey(label):
    """The letter marked with & in a pop-up entry, as typed."""
    return label[label.index("&") + 1].lower()


def frame_top(x1, x2, title):
    """The top edge of a box from column x1 to x2 with its centred title."""
    w = x2 - x1 - 1
    edge = TOP_LEFT + (DOUBLE if title else SINGLE) * w + TOP_RIGHT
    if not title:
        return edge
    c = x1 + (x2 - x1) // 2 - len(title) // 2 - 1
    start = c - x1
    piece = f" {title} "
    return edge[:start] + piece + edge[start + len(piece):]


def overlay(line, column, text):
    start = column - 1
    return line[:start] + text + line[start + len(text):]


def header_title(record, prefix="", code="001"):
    return f"{prefix} {code} {text_at(record, HEADING[2], 32)}, {text_at(record, HEADING[4], 32)} "


def printer_line(record):
    row = record[ACTIVE_SET]
    params = record[PRINTER_PARAMS + 8 * row:PRINTER_PARAMS + 8 * row + 6]
    name = text_at(record, PRINTER_NAME[params[4] & 1], 32)
    return f"{name}({','.join(str(p) for p in params)})"


def printer_line_column(line):
    return 40 - len(line) // 2


def item_column(item):
    return (item - (1 if item <= 6 else 7)) * 13 + 3


def menu_row(catalogue, page_first):
    """Row 2 with the six items of a page."""
    line = SIDE + " " * (COLUMNS - 2) + SIDE
    for item in range(page_first, page_first + 6):
        line = overlay(line, item_column(item), f"{catalogue[item]:<12}")
    return line[:COLUMNS]


def main_frame_rows(catalogue):
    """Rows 4 to 24 as start-up draws them."""
    rows = {4: frame_top(1, 80, catalogue[0])}
    for y in range(5, 24):
        rows[y] = SIDE + " " * (COLUMNS - 2) + SIDE
    rows[24] = BOTTOM_LEFT + SINGLE * (COLUMNS - 2) + BOTTOM_RIGHT
    return rows


def local_now():
    """The time in the zone the program runs in."""
    return datetime.datetime.now(datetime.timezone(datetime.timedelta(seconds=TZ_OFFSET_SECONDS)))


def for_each_term(base, namespace, terms=TERMS):
    """Adds one TestCase per terminal type to a test module."""
    for term in terms:
        name = f"{base.__name__}_{term.replace('-', '_')}"
        case = type(name, (base, unittest.TestCase), {"TERM": term, "__module__": namespace["__name__"]})
        namespace[name] = skip_unless_ready(case)


class ProgramCase:
    """Mixin: runs the program on the sample in a fresh scratch folder and a
    private tmux server. The pane's shell notes the terminal modes before
    and after the run and the program's exit status."""

    TERM = TERMS[0]
    BEFORE, AFTER = "BEFORE-RUN-MARKER", "AFTER-RUN-MARKER"

    def setUp(self):
        self.scratch = Scratch(self)
        self.record = self.scratch.company_bytes()
        self.catalogue = self.scratch.catalogue

    def start(self, args=('""', "001", "ENG")):
        s = self.scratch
        command = (f"{s.environment()}; stty -a > stty_before.txt; printf '%s\\n' {self.BEFORE}; "
                   f"{s.program_command(args)}; echo $? > status; "
                   f"stty -a > stty_after.txt; printf '%s\\n' {self.AFTER}; exec sleep 600")
        self.started_at = local_now()
        s.hold_company_time()
        self.addCleanup(self._check_stderr)  # registered first, so it runs after the pane is killed
        self.pane = TmuxPane(self, f"/bin/sh -c {shlex.quote(command)}", self.TERM)
        return self.pane

    def _check_stderr(self):
        # A sanitizer report anywhere in the run fails the test, with the
        # report shown.
        path = self.scratch.path("stderr.txt")
        if os.path.exists(path):
            text = self.scratch.read("stderr.txt")
            if "Sanitizer" in text or "runtime error" in text:
                raise AssertionError(f"the program reported an error on stderr:\n{text}")

    def start_main_screen(self, args=('""', "001", "ENG")):
        """Starts the program and waits until the menu bar waits for a key."""
        pane = self.start(args)
        hint = self.catalogue[MENU_HINT]
        return pane, pane.wait_for(
            lambda s: s.alternate and s.text(1, 25, len(hint)) == hint and s.row(24).startswith(BOTTOM_LEFT),
            "the main screen")

    def wait_status(self, timeout=5.0):
        # The shell writes the file in two steps (create, then the number).
        wait_until(lambda: self.scratch.exists("status") and self.scratch.read("status").strip() != "",
                   "the program's exit status", timeout)
        return int(self.scratch.read("status").strip())

    def open_submenu(self, pane, item, title_line, what):
        """Opens a menu item by its hotkey and waits for its pop-up."""
        pane.type(self.catalogue[item][0].lower())
        pane.wait_for(lambda s: self.catalogue[title_line] in s.row(6), what)

    def wait_hint(self, pane, line, what=None):
        hint = self.catalogue[line]
        return pane.wait_for(lambda s: s.text(1, 25, 39) == f"{hint:<39}", what or f"hint line {line}")

    def accept_code_without_saving(self, pane, code="ZZZ"):
        """Opens the currency table and accepts a new code for row 0: it lives
        only in memory until the table is completed."""
        pane.type("7")
        self.wait_hint(pane, 34, "the currency code field")
        pane.send("C-x")
        pane.type(code)
        pane.send("Enter")
        self.wait_hint(pane, 35, "the rate field")

    def program_pid(self):
        shell = self.pane.pane_pid()
        pid = None

        def found():
            nonlocal pid
            pid = program_pid(shell)
            return pid is not None
        wait_until(found, "the program's process")
        return pid

    # Checks shared by several tests.

    def assert_nothing_written(self, message=None):
        """The company file holds the record as read and saw no write at all."""
        self.assertEqual(self.scratch.company_bytes(), self.record, message)
        self.assertFalse(self.scratch.company_written(), message or "the company file was written")

    def assert_terminal_restored(self, pane):
        """After the program ended: main screen back, cursor shown, cooked
        mode, and the shell's lines around the run still on the screen."""
        screen = pane.wait_for(lambda s: self.AFTER in "\n".join(s.lines()), "the shell after the run")
        self.assertFalse(screen.alternate, "the alternate screen is still on")
        self.assertTrue(screen.cursor_visible, "the cursor is still hidden")
        lines = screen.lines()
        before = next(i for i, line in enumerate(lines) if self.BEFORE in line)
        after = next(i for i, line in enumerate(lines) if self.AFTER in line)
        self.assertEqual(after, before + 1, "program output leaked onto the main screen:\n" + screen.dump())
        self.assertNotIn(self.catalogue[0], "\n".join(lines), "the program's drawing is still shown")
        modes = self.scratch.read("stty_after.txt").replace(";", " ").split()
        for flag in ("icanon", "echo", "isig", "icrnl", "opost", "ixon"):
            self.assertIn(flag, modes, f"terminal left with -{flag}")
        self.assertEqual(self.scratch.read("stty_before.txt"), self.scratch.read("stty_after.txt"),
                         "the terminal modes differ from before the run")
