"""A paste of a megabyte is taken in at the speed of reading it and rings
the bell at most once."""
import time
import unittest

from program import HEADING, MENU_HINT, ProgramCase
from tmux_screen import skip_unless_ready, text_at, wait_until

FIRST_HEADING_HINT = 20
PASTE = (b"0123456789" * (1 << 17))[:1 << 20]
# The sanitizer build; the release build takes about a tenth of this. A
# present per pasted character took a minute here.
BOUND_SECONDS = 15


@skip_unless_ready
class LargePaste(ProgramCase, unittest.TestCase):

    def paste(self, pane):
        """Pastes PASTE and returns the output the program wrote meanwhile."""
        output = self.scratch.path("output")
        pane.tmux("pipe-pane", "-t", "0", "-o", f"cat > {output}")
        with open(self.scratch.path("paste"), "wb") as f:
            f.write(PASTE)
        pane.tmux("load-buffer", self.scratch.path("paste"))
        pane.tmux("paste-buffer", "-p", "-t", "0")
        return output

    def bells(self, pane, output):
        pane.tmux("pipe-pane", "-t", "0")
        with open(output, "rb") as f:
            return f.read().count(b"\a")

    def test_a_megabyte_into_a_field_types_what_fits_with_one_bell(self):
        pane, _ = self.start_main_screen()
        self.open_submenu(pane, 1, 115, "the heading submenu")
        pane.send("Enter")
        self.wait_hint(pane, FIRST_HEADING_HINT, "the first heading line")
        pane.send("C-x")
        started = time.monotonic()
        output = self.paste(pane)
        pane.send("Enter", "Enter", "Enter", "Enter", "Enter")
        wait_until(lambda: text_at(self.scratch.company_bytes(), HEADING[1], 32) == PASTE[:31].decode(),
                   "the saved heading", timeout=BOUND_SECONDS)
        self.assertLess(time.monotonic() - started, BOUND_SECONDS)
        self.wait_hint(pane, MENU_HINT, "the menu bar after the headings")
        self.assertLessEqual(self.bells(pane, output), 1)


if __name__ == "__main__":
    unittest.main()
