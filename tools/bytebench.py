"""Runs setupedit in a pseudo-terminal through a fixed walk of keys and
measures what each step costs on the wire: the bytes the program writes in
response and the time from the key to the first of them; for the first
frame, the time from start to its last byte. The walk ends with two saves
of the heading lines (the first one begins the history file); their times
are shown again beside the same walk run with SETUPEDIT_HISTORY=0, which is
what the history costs a save.

`make bench` prints the table; tests/e2e/test_byte_budget.py holds the
bytes of the same walk to budgets.

    python3 tools/bytebench.py --program build/release/setupedit \\
        --make-sample build/release/make_sample --examples examples [--runs 7]
"""
import argparse
import fcntl
import os
import pty
import select
import shutil
import signal
import statistics
import struct
import subprocess
import tempfile
import termios
import time

COLUMNS, ROWS = 80, 25

# Keys in xterm's CSI form (the program takes the SS3 form of keypad mode
# too); Backspace is ^?, the usual erase character.
RIGHT, LEFT, HOME, END, ESC, BACKSPACE, ENTER = "\x1b[C", "\x1b[D", "\x1b[H", "\x1b[F", "\x1b", "\x7f", "\r"

FIRST_FRAME = "first frame"
# The walk: (label, bytes typed). Labelled steps are measured; None marks a
# step that only gets the program where the next one needs it.
WALK = (
    ("menu-bar move", RIGHT),
    ("open the currency table", "7"),
    (None, ESC),
    (None, "h"),  # the Headings pop-up
    (None, "h"),  # its first entry: heading line 1, cursor at the end of the text
    ("first character typed", "x"),  # the field's colour is set
    ("typed character", "y"),
    ("Backspace at the end", BACKSPACE),
    ("Left", LEFT),
    ("Right", RIGHT),
    ("Home", HOME),
    ("End", END),
    (None, ENTER * 4),  # heading lines 1-4 accepted
    ("save, history created", ENTER),  # line 5: the record is written, the history begins
    (None, "h"),
    (None, "h"),
    (None, "w"),  # heading line 1 changed again
    (None, ENTER * 4),
    ("save", ENTER),
)
SAVES = ("save, history created", "save")
LEAVE = (ESC, ESC, "0")
MENU_HINT = 13  # the catalogue line shown while the menu bar waits


class Step:
    def __init__(self, label, data, ms):
        self.label, self.data, self.ms = label, data, ms


class Session:
    """The program on a fresh copy of the sample, on an 80x25 pty."""

    def __init__(self, program, make_sample, examples, quiet_ms, colours, history=True):
        program, examples = os.path.abspath(program), os.path.abspath(examples)
        self.quiet = quiet_ms / 1000
        self.dir = tempfile.mkdtemp(prefix="setupedit-bench-")
        subprocess.run([os.path.abspath(make_sample), os.path.join(self.dir, "DITTA.001")], check=True, timeout=10)
        for name in ("VELTRIS.ENG", "SETUP.001", "nolvex.hlp"):
            shutil.copy(os.path.join(examples, name), self.dir)
        environment = {"PATH": f"{examples}:/usr/bin:/bin", "TERM": "xterm-256color", "LC_ALL": "C.UTF-8",
                       "TZ": "UTC", "HOME": self.dir, "ASAN_OPTIONS": "detect_leaks=0",
                       "SETUPEDIT_COLOURS": colours, "SETUPEDIT_HISTORY": "1" if history else "0"}
        self.started = time.monotonic()
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            try:
                os.chdir(self.dir)
                fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", ROWS, COLUMNS, 0, 0))
                os.execve(program, [program, "", "001", "ENG"], environment)
            finally:
                os._exit(127)

    def response(self, first_timeout=10.0, until=b""):
        """Everything written until the program is quiet (and has written
        until, if given), and when the first and last bytes came."""
        data, first, last = b"", None, None
        deadline = time.monotonic() + first_timeout
        while True:
            waiting = first is None or until not in data
            wait = max(deadline - time.monotonic(), 0) if waiting else self.quiet
            ready, _, _ = select.select([self.fd], [], [], wait)
            if not ready:
                return data, first, last
            try:
                chunk = os.read(self.fd, 65536)
            except OSError:
                return data, first, last
            if not chunk:
                return data, first, last
            last = time.monotonic()
            first = first or last
            data += chunk

    def key(self, data):
        sent = time.monotonic()
        os.write(self.fd, data.encode())
        out, first, _ = self.response(first_timeout=3.0)
        return out, (first - sent) * 1000 if first else None

    def wait(self, seconds):
        """The program's wait status once it has ended, or None."""
        deadline = time.monotonic() + seconds
        while True:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                return status
            if time.monotonic() >= deadline:
                return None
            time.sleep(0.02)

    def close(self):
        for data in LEAVE:
            try:
                os.write(self.fd, data.encode())
                self.response(first_timeout=0.5)
            except OSError:
                break
        if self.wait(3.0) is None:
            os.kill(self.pid, signal.SIGKILL)
            os.waitpid(self.pid, 0)
        os.close(self.fd)
        shutil.rmtree(self.dir, True)


def menu_hint(examples):
    with open(os.path.join(examples, "VELTRIS.ENG"), "rb") as f:
        return f.read().replace(b"\r\n", b"\n").split(b"\n")[MENU_HINT].decode("cp437").encode()


def walk(program, make_sample, examples, quiet_ms=120, colours="256", history=True):
    """One run of the walk: a Step for every key (label None for those not
    measured), the first frame first. colours: SETUPEDIT_COLOURS; history:
    False runs with SETUPEDIT_HISTORY=0."""
    session = Session(program, make_sample, examples, quiet_ms, colours, history)
    try:
        # The terminal is set up before the screen is drawn: wait for the
        # menu bar's hint on the last row, not for a pause.
        data, _, last = session.response(until=menu_hint(examples))
        steps = [Step(FIRST_FRAME, data, (last - session.started) * 1000 if last else None)]
        for label, keys in WALK:
            data, ms = session.key(keys)
            steps.append(Step(label, data, ms))
        return steps
    finally:
        session.close()


def table(by_colours):
    """Markdown: bytes per colour depth (the same in every run, else all
    shown) and median times over every run."""
    names = list(by_colours)
    lines = ["| step | " + " | ".join(f"bytes, {n} colours" for n in names) + " | ms (median) |",
             "|---|" + "---:|" * (len(names) + 1)]
    first = by_colours[names[0]][0]
    for i, step in enumerate(first):
        if step.label is None:
            continue
        sizes = ["/".join(map(str, sorted({len(run[i].data) for run in by_colours[n]}))) for n in names]
        times = [run[i].ms for n in names for run in by_colours[n] if run[i].ms is not None]
        ms = f"{statistics.median(times):.1f}" if times else "-"
        lines.append(f"| {step.label} | {' | '.join(sizes)} | {ms} |")
    return "\n".join(lines)


def median_ms(runs, label):
    times = [step.ms for run in runs for step in run if step.label == label and step.ms is not None]
    return statistics.median(times) if times else None


def save_table(with_history, without):
    """Markdown: the median time of each save with the history and without."""
    lines = ["| save | ms, history on | ms, SETUPEDIT_HISTORY=0 | difference |", "|---|---:|---:|---:|"]
    for label in SAVES:
        on, off = median_ms(with_history, label), median_ms(without, label)
        if on is None or off is None:
            lines.append(f"| {label} | - | - | - |")
        else:
            lines.append(f"| {label} | {on:.2f} | {off:.2f} | {on - off:+.2f} |")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--make-sample", required=True)
    parser.add_argument("--examples", required=True)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--quiet-ms", type=int, default=120, help="silence that ends a response")
    args = parser.parse_args()
    by_colours = {colours: [walk(args.program, args.make_sample, args.examples, args.quiet_ms, colours)
                            for _ in range(args.runs)] for colours in ("16", "256")}
    print(f"setupedit at {COLUMNS}x{ROWS}, TERM=xterm-256color, {args.runs} runs per colour depth")
    print(table(by_colours))
    without = [walk(args.program, args.make_sample, args.examples, args.quiet_ms, "256", history=False)
               for _ in range(args.runs)]
    print()
    print(save_table(by_colours["256"], without))


if __name__ == "__main__":
    main()
