"""The bytes the program sends for common steps, held to budgets: the walk of
tools/bytebench.py (the one `make bench` times) run once in a pty. Bytes are
the same on every run, so they can be checked where times cannot. Each step
must also have done its work: the cursor, followed through the bytes, lands
where the key sends it."""
import os
import sys
import unittest

from tmux_screen import BIN, EXAMPLES, MAKE_SAMPLE, check_programs

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
import bytebench  # noqa: E402

FIELD_COLUMN, FIELD_ROW = 4, 7  # heading line 1

# (step, most bytes, where the cursor ends: a column change, a place, or the
# place after an earlier step)
BUDGETS = (
    ("first frame", 2629, ("at", 3, 2)),         # no more than before the motion rules
    ("menu-bar move", 58, ("at", 16, 2)),        # likewise
    ("open the currency table", 1077, None),     # likewise
    ("first character typed", 9, +1),            # the field's colours, then the character
    ("typed character", 1, +1),
    ("Backspace at the end", 3, -1),             # BS, the fill, BS: the fill is in the text's colours
    ("Left", 1, -1),                             # BS
    ("Right", 3, +1),                            # CUF, or the cell under the cursor written again
    ("Home", 5, ("at", FIELD_COLUMN, FIELD_ROW)),  # CUB with a count, or CR and CUF
    ("End", 5, ("as after", "Right")),           # CUF with a count
)


class Cursor:
    """Follows the cursor through what the program writes: absolute and
    relative moves, BS, CR and printed characters (one per UTF-8 lead byte)."""

    def __init__(self):
        self.column, self.row, self.pending_wrap = 1, 1, False

    def feed(self, data):
        i = 0
        while i < len(data):
            b = data[i]
            if b == 0x1B and data[i + 1:i + 2] == b"[":
                j = i + 2
                while not 0x40 <= data[j] <= 0x7E:
                    j += 1
                self.csi(data[i + 2:j].decode(), chr(data[j]))
                i = j + 1
                continue
            if b == 0x1B:
                i += 3 if data[i + 1:i + 2] in (b"(", b")") else 2
                continue
            if b == 0x08:
                self.column, self.pending_wrap = max(1, self.column - 1), False
            elif b == 0x0D:
                self.column, self.pending_wrap = 1, False
            elif b >= 0x20 and not 0x80 <= b <= 0xBF:
                self.print()
            i += 1

    def print(self):
        if self.pending_wrap:
            self.column, self.row, self.pending_wrap = 1, self.row + 1, False
        if self.column == bytebench.COLUMNS:
            self.pending_wrap = True
        else:
            self.column += 1

    def csi(self, params, final):
        if params.startswith("?"):
            return
        numbers = [int(p) if p else 0 for p in params.split(";")] if params else [0]
        count = max(numbers[0], 1)
        if final == "H":
            self.row = max(numbers[0], 1)
            self.column = max(numbers[1], 1) if len(numbers) > 1 else 1
        elif final in "ABCD":
            self.row += {"A": -count, "B": count}.get(final, 0)
            self.column += {"C": count, "D": -count}.get(final, 0)
        else:
            return
        self.pending_wrap = False


@unittest.skipUnless(BIN and MAKE_SAMPLE and EXAMPLES, "run through ctest, which names the programs")
class ByteBudget(unittest.TestCase):

    def setUp(self):
        self.places = {}

    def test_steps_stay_within_their_budgets(self):
        check_programs(self)
        steps = bytebench.walk(BIN, MAKE_SAMPLE, os.path.abspath(EXAMPLES), quiet_ms=250)
        cursor = Cursor()
        for step in steps:  # the steps that are not measured still move the cursor
            if step.label is None:
                cursor.feed(step.data)
            else:
                self.check(step, cursor)
        self.assertEqual(cursor.row, FIELD_ROW, "the walk ends in heading line 1")
        self.assertEqual(sorted(self.places), sorted(label for label, _, _ in BUDGETS))

    def check(self, step, cursor):
        budget, moves = next((b, m) for label, b, m in BUDGETS if label == step.label)
        with self.subTest(step=step.label):
            before = cursor.column
            cursor.feed(step.data)
            self.places[step.label] = place = (cursor.column, cursor.row)
            self.assertGreater(len(step.data), 0, "nothing was written")
            self.assertLessEqual(len(step.data), budget, repr(step.data[:200]))
            if isinstance(moves, int):
                self.assertEqual(cursor.column, before + moves, repr(step.data))
            elif moves and moves[0] == "at":
                self.assertEqual(place, moves[1:], repr(step.data[-40:]))
            elif moves:
                self.assertEqual(place, self.places[moves[1]], repr(step.data))


if __name__ == "__main__":
    unittest.main()
