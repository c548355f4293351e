"""The options screen (item 3), the digit rows (item 5) and the value list
(item 8) on the sample data: each opens showing the record, and one complete
walk reaches the company file with exactly the bytes it stored."""
from program import DIALOG, MENU_HINT, ProgramCase, for_each_term, frame_top, with_bytes
from tmux_screen import attr, colours_of, text_at

FLAGS_C, SHORT_TEXT, FORMATS = 946, 922, 947
DIGIT_ROWS, DIGIT_ROW_SEL, VALUE_LIST = 902, 942, 384
DIGIT_ROWS_ATTR, CHOSEN_ROW_ATTR, VALUE_LIST_ATTR = 87, 85, 88


def signed(byte):
    return byte - 256 if byte > 127 else byte


class OptionsAndDigits(ProgramCase):

    def wait_prompt(self, pane, label_line, position):
        prompt = f"{self.catalogue[label_line]} nr.{position}"
        return pane.wait_for(lambda s: s.text(1, 25, len(prompt) + 1) == prompt + " ", f"the prompt {prompt}")

    def test_options_screen_walk(self):
        pane, _ = self.start_main_screen()
        pane.type("3")
        screen = self.wait_hint(pane, 104, "the check boxes")
        screen = pane.wait_for(lambda s: s.cursor == (23, 7), "the cursor on bit 0")
        self.assertEqual(screen.text(20, 6, 36), frame_top(20, 55, self.catalogue[120]))
        flags = self.record[FLAGS_C]
        for bit in range(5):
            mark = "X" if flags & (1 << bit) else " "
            self.assertEqual(screen.text(22, 7 + bit, 4 + len(self.catalogue[121 + bit])),
                             f"[{mark}] {self.catalogue[121 + bit]}")
        self.assertEqual(screen.text(28, 13, 20), f"{text_at(self.record, SHORT_TEXT, 20):<20}")
        digits = [d for b in self.record[FORMATS:FORMATS + 4] for d in (b >> 4, b & 15)]
        for k, d in enumerate(digits):
            self.assertEqual(screen.text(23 + 8 * (k % 4), 15 + k // 4, 5), f"{d}nnnn")
        self.assertEqual(screen.colours(21, 13, 34), {colours_of(attr(self.record, DIALOG))})

        pane.send("Space", "Enter")  # bit 0 toggled and stored
        self.wait_hint(pane, 90, "the short text")
        pane.type("NEW TEXT")
        pane.send("Enter")
        self.wait_hint(pane, 33, "the first digit")
        pane.type("4")
        pane.send("Enter")
        pane.wait_for(lambda s: s.cursor == (31, 15), "the second digit")
        pane.send(*["Tab"] * 7)
        screen = self.wait_hint(pane, MENU_HINT, "the menu bar after the options")

        expected = with_bytes(self.record, FLAGS_C, bytes([flags ^ 1]))
        expected = with_bytes(expected, SHORT_TEXT, b"NEW TEXT" + bytes(12))
        expected = with_bytes(expected, FORMATS, bytes([0x40 | (self.record[FORMATS] & 15)]))
        self.assertEqual(self.scratch.company_bytes(), expected)
        self.assertEqual(screen.text(28, 13, 20), f"{'NEW TEXT':<20}")

    def test_digit_rows_bell_and_walk(self):
        pane, _ = self.start_main_screen()
        pane.type("5")
        screen = self.wait_hint(pane, 68, "the digit rows")
        screen = pane.wait_for(lambda s: s.cursor == (3, 20 + self.record[DIGIT_ROW_SEL]), "the row chooser")
        self.assertEqual(screen.text(2, 19, 35), frame_top(2, 36, self.catalogue[5]))
        for r in (0, 1):
            row = self.record[DIGIT_ROWS + 10 * r:DIGIT_ROWS + 10 * r + 10]
            self.assertEqual(screen.text(3, 20 + r, 32), f"{r}:  " + "  ".join(str(v) for v in row))
        chosen = 20 + self.record[DIGIT_ROW_SEL]
        self.assertEqual(screen.colour_at(3, chosen), colours_of(attr(self.record, CHOSEN_ROW_ATTR)))
        self.assertEqual(screen.colour_at(3, 41 - chosen), colours_of(attr(self.record, DIGIT_ROWS_ATTR)))

        pane.send("Down", "Up", "Down", "Down", "Enter")  # row 1, no wrap-around
        self.wait_prompt(pane, 67, 0)
        pane.wait_for(lambda s: s.cursor == (7, 21), "position 0 of row 1")
        pane.type("6")
        pane.send("Enter")  # refused with the bell: the position is offered again
        screen = pane.wait_for(lambda s: s.cursor == (7, 21) and s.text(7, 21, 1) == "/", "position 0 again")
        self.assert_nothing_written()
        pane.type("5")
        pane.send("Enter")
        self.wait_prompt(pane, 67, 1)
        pane.send(*["Tab"] * 9)
        self.wait_hint(pane, MENU_HINT, "the menu bar after the digit rows")
        expected = with_bytes(self.record, DIGIT_ROW_SEL, b"\x01")
        expected = with_bytes(expected, DIGIT_ROWS + 10, b"\x05")
        self.assertEqual(self.scratch.company_bytes(), expected)

    def test_value_list_walk(self):
        pane, _ = self.start_main_screen()
        pane.type("8")
        screen = self.wait_prompt(pane, 76, 0)
        screen = pane.wait_for(lambda s: s.cursor == (5, 21), "position 0")
        self.assertEqual(screen.text(2, 20, 28), frame_top(2, 29, self.catalogue[8]))
        values = [signed(b) for b in self.record[VALUE_LIST:VALUE_LIST + 8]]
        self.assertIn(-5, values, "the sample holds a negative value")
        for p in range(1, 8):  # one column each: a wider value shows as *
            shown = str(values[p]) if len(str(values[p])) == 1 else "*"
            self.assertEqual(screen.text(5 + 3 * p, 21, 2), f"{shown:<2}")
        self.assertEqual(screen.colour_at(8, 21), colours_of(attr(self.record, VALUE_LIST_ATTR)))

        pane.send("Tab", "Enter", "Enter")  # position 1 taken over as it is
        self.wait_prompt(pane, 76, 2)
        pane.type("9")
        pane.send("Enter")
        self.wait_prompt(pane, 77, 3)
        pane.send(*["Enter"] * 10)  # Enter, Enter on the other five, -5 included
        self.wait_hint(pane, MENU_HINT, "the menu bar after the value list")
        self.assertEqual(self.scratch.company_bytes(), with_bytes(self.record, VALUE_LIST + 2, b"\x09"))


for_each_term(OptionsAndDigits, globals())
