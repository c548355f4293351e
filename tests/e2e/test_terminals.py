"""Terminals of every kind: a locale without UTF-8, terminals that cannot
show the screen, one without colours, Alt keys and pasted text."""
import os
import time
import unittest

from program import (MAIN_FRAME, MENU_HINT, ProgramCase, frame_top, header_title, item_column,
                     main_frame_rows, menu_row, DOUBLE, SINGLE)
from tmux_screen import COLUMNS, attr, colours_of

CURRENCY_CODE_HINT, RATE_HINT = 34, 35


def without_double_lines(text):
    """Without UTF-8 the terminal's line-drawing set has single lines only."""
    return text.replace(DOUBLE, SINGLE)


class Terminals(ProgramCase, unittest.TestCase):

    def test_c_locale_reads_back_text_and_frames(self):
        for term in ("xterm-256color", "rxvt-unicode-256color", "screen-256color"):
            with self.subTest(term):
                self.TERM = term
                self.scratch.locale = "C"
                pane, screen = self.start_main_screen()
                self.assertEqual(screen.row(1), without_double_lines(frame_top(1, 80, header_title(self.record))))
                self.assertEqual(screen.row(2), menu_row(self.catalogue, 1))
                for y, expected in main_frame_rows(self.catalogue).items():
                    if y < 24:  # row 24 holds the build banner
                        self.assertEqual(screen.row(y), without_double_lines(expected), f"row {y}")
                self.assertEqual(screen.colours(1, 4, COLUMNS), {colours_of(attr(self.record, MAIN_FRAME))})
                pane.send("0")
                self.assertEqual(self.wait_status(), 0)
                pane.kill()
                os.remove(self.scratch.path("status"))

    def test_terminals_that_cannot_show_the_screen_refuse_to_start(self):
        for case, setup, named in (("TERM unset", "unset TERM; ", "TERM"),
                                   ("dumb", "export TERM=dumb; ", "TERM=dumb"),
                                   ("unknown", "export TERM=no-such-terminal; ", "TERM=no-such-terminal"),
                                   ("control bytes", "export TERM=\"$(printf 'x\\033]2;set\\007')\"; ",
                                    "TERM=x\\x1b]2;set\\x07")):
            with self.subTest(case):
                self.scratch.term_setup = setup
                pane = self.start()
                self.assertEqual(self.wait_status(), 1)
                self.assert_terminal_restored(pane)
                lines = self.scratch.read("stderr.txt").strip().splitlines()
                self.assertEqual(len(lines), 1, lines)
                self.assertIn(named, lines[0])
                self.assertFalse(any(c < " " for c in lines[0]), "a control byte reached the terminal")
                self.assert_nothing_written()
                pane.kill()
                os.remove(self.scratch.path("status"))

    def test_without_colours_the_cursor_and_hotkeys_stand_out(self):
        self.TERM = "vt100"
        pane, screen = self.start_main_screen()
        looks = lambda x: {(c.bold, c.reverse, c.blink) for c in [screen.cells[1][x - 1]]}
        cursor_text = looks(item_column(1) + 1)
        normal_text, normal_key = looks(item_column(2) + 1), looks(item_column(2))
        self.assertNotEqual(cursor_text, normal_text, "the menu cursor does not show")
        self.assertNotEqual(normal_key, normal_text, "a hotkey does not show")
        colours = {(c.fg, c.bg) for row in screen.cells for c in row}
        self.assertEqual(colours, {(None, None)}, "colours sent to a terminal without them")
        pane.send("0")
        self.assertEqual(self.wait_status(), 0)

    def test_alt_keys_and_paste_stay_inside_the_field(self):
        pane, screen = self.start_main_screen()
        pane.type("7")
        self.wait_hint(pane, CURRENCY_CODE_HINT, "the currency code field")
        pane.send("M-Enter")  # Esc and Enter at once: Alt+Enter, which no field takes
        pane.send("M-/")
        time.sleep(0.3)
        self.wait_hint(pane, CURRENCY_CODE_HINT, "still the currency code field")
        pane.send("C-x")
        pane.tmux("set-buffer", "X\nY\tZ\x1b")
        pane.tmux("paste-buffer", "-p", "-t", "0")
        screen = pane.wait_for(lambda s: "XYZ" in "\n".join(s.lines()), "the pasted text in the field")
        self.wait_hint(pane, CURRENCY_CODE_HINT, "the paste did not leave the field")
        pane.send("Escape")
        self.wait_hint(pane, MENU_HINT, "the menu bar")
        # On the menu bar a paste is ignored: no item opens.
        pane.tmux("paste-buffer", "-p", "-t", "0")
        pane.tmux("set-buffer", "7")
        pane.tmux("paste-buffer", "-p", "-t", "0")
        time.sleep(0.5)
        self.wait_hint(pane, MENU_HINT, "still the menu bar")
        pane.send("0")
        self.assertEqual(self.wait_status(), 0)
        self.assert_nothing_written()


if __name__ == "__main__":
    unittest.main()
