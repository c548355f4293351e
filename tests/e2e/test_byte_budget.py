"""The bytes the program sends for common steps, held to budgets: the walk of
tools/bytebench.py (the one `make bench` times) run once in a pty. Bytes are
the same on every run, so they can be checked where times cannot. Each step
must also have done its work: the cursor, followed through the bytes, lands
where the key sends it. The budgets are for 16 colours; on 256 a step may
cost at most 12 bytes more for each colour change it makes."""
import os
import re
import sys
import unittest

from tmux_screen import BIN, EXAMPLES, MAKE_SAMPLE, check_programs

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
import bytebench  # noqa: E402

FIELD_COLUMN, FIELD_ROW = 4, 7  # heading line 1

# (step, most bytes, where the cursor ends: a column change, a place, or the
# place after an earlier step)
BUDGETS = (
    ("first frame", 2653, ("at", 3, 2)),         # as before the motion rules, plus 8 for bracketed paste on, 16 for Meta as Esc
    ("menu-bar move", 58, ("at", 16, 2)),        # likewise
    ("open the currency table", 1077, None),     # likewise
    ("first character typed", 9, +1),            # the field's colours, then the character
    ("typed character", 1, +1),
    ("Backspace at the end", 3, -1),             # BS, the fill, BS: the fill is in the text's colours
    ("Left", 1, -1),                             # BS
    ("Right", 3, +1),                            # CUF, or the cell under the cursor written again
    ("Home", 5, ("at", FIELD_COLUMN, FIELD_ROW)),  # CUB with a count, or CR and CUF
    ("End", 5, ("as after", "Right")),           # CUF with a count
    # A heading save redraws the header box's title and the menu bar's hint;
    # the clock's digits make it vary by a few bytes.
    ("save, history created", 140, None),
    ("save", 140, None),
)


def cursor_after(data, column, row):
    """Where the cursor ends after data: CUP, CUU/CUD/CUF/CUB, BS, CR and
    printed characters (one per UTF-8 lead byte; the walk never reaches the
    last column)."""
    for match in re.finditer(rb"\x1b\[([\d;?]*)([@-~])|\x1b[()].|\x1b.|([\x08\r])|([^\x80-\xbf\x00-\x1f])", data, re.S):
        params, final, control, printed = match.groups()
        if printed:
            column += 1
        elif control:
            column = column - 1 if control == b"\b" else 1
        elif final and not params.startswith(b"?"):
            n = [int(p or 0) for p in params.split(b";")]
            count = max(n[0], 1)
            if final == b"H":
                row, column = max(n[0], 1), max(n[1], 1) if len(n) > 1 else 1
            row += {b"A": -count, b"B": count}.get(final, 0)
            column += {b"C": count, b"D": -count}.get(final, 0)
    return column, row


@unittest.skipUnless(BIN and MAKE_SAMPLE and EXAMPLES, "run through ctest, which names the programs")
class ByteBudget(unittest.TestCase):

    def setUp(self):
        self.places = {}

    def test_steps_stay_within_their_budgets(self):
        check_programs(self)
        steps = bytebench.walk(BIN, MAKE_SAMPLE, EXAMPLES, quiet_ms=250, colours="16")
        place, places = (1, 1), {}
        for step in steps:  # the steps that are not measured still move the cursor
            before, place = place, cursor_after(step.data, *place)
            if step.label is None:
                continue
            places[step.label] = place
            budget, moves = next((b, m) for label, b, m in BUDGETS if label == step.label)
            with self.subTest(step=step.label):
                self.assertGreater(len(step.data), 0, "nothing was written")
                self.assertLessEqual(len(step.data), budget, repr(step.data[:200]))
                if isinstance(moves, int):
                    self.assertEqual(place, (before[0] + moves, before[1]), repr(step.data))
                elif moves:
                    self.assertEqual(place, moves[1:] if moves[0] == "at" else places[moves[1]], repr(step.data[-40:]))
        self.assertEqual(sorted(places), sorted(label for label, _, _ in BUDGETS))

    def test_256_colours_cost_at_most_12_bytes_more_per_colour_change(self):
        check_programs(self)
        sixteen = bytebench.walk(BIN, MAKE_SAMPLE, EXAMPLES, quiet_ms=250, colours="16")
        indexed = bytebench.walk(BIN, MAKE_SAMPLE, EXAMPLES, quiet_ms=250, colours="256")
        for a, b in zip(sixteen, indexed):
            changes = len(re.findall(rb"\x1b\[[\d;]*m", a.data))
            with self.subTest(step=a.label):
                self.assertEqual(len(re.findall(rb"\x1b\[[\d;]*m", b.data)), changes, "colour changes moved")
                self.assertLessEqual(len(b.data), len(a.data) + 12 * changes)

if __name__ == "__main__":
    unittest.main()
