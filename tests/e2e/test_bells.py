"""Bells as the terminal receives them. Screen models drop BEL, so the bytes
the program writes to a pty are counted: a back end that loses its bells, or
an exit that skips the last flush, fails here."""
import os
import sys
import unittest

from tmux_screen import BIN, EXAMPLES, MAKE_SAMPLE, check_programs

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
import bytebench  # noqa: E402

CTRL_C = "\x03"
# (what, keys typed one at a time from the menu bar, bells on the wire)
CASES = (
    ("a key the menu bar refuses", ["!"], 1),
    ("a letter no item starts with, twice", ["q", "q"], 2),
    ("a key no pop-up entry takes", ["h", "q"], 1),
    ("Ctrl+C leaves with a bell", [CTRL_C], 1),
)


@unittest.skipUnless(BIN and MAKE_SAMPLE and EXAMPLES, "run through ctest, which names the programs")
class Bells(unittest.TestCase):

    def test_each_refusal_rings_once(self):
        check_programs(self)
        for what, keys, bells in CASES:
            with self.subTest(what):
                session = bytebench.Session(BIN, MAKE_SAMPLE, EXAMPLES, quiet_ms=250, colours="16")
                try:
                    first, _, _ = session.response(until=bytebench.menu_hint(EXAMPLES))
                    self.assertEqual(first.count(b"\x07"), 0, "a bell before any key")
                    written = b"".join(session.key(k)[0] for k in keys)
                    self.assertEqual(written.count(b"\x07"), bells, repr(written[-80:]))
                finally:
                    session.close()


if __name__ == "__main__":
    unittest.main()
