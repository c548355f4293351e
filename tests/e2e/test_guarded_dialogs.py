"""Items 6 (protected fields), 9 (option flags B) and 12 (service line, only
with the service code) open on the sample data, and one walk each reaches
the company file."""
from program import DIALOG, HEADING, MENU_HINT, ProgramCase, for_each_term, frame_top, menu_row, with_text
from tmux_screen import attr, colours_of, text_at

ACCESS_WORD, PROTECTED_TEXT_1, OPTION_FLAGS_B = 224, 256, 944
FILL = "/"


class GuardedDialogs(ProgramCase):

    def test_protected_fields_walk(self):
        pane, _ = self.start_main_screen()
        pane.type("6")
        screen = self.wait_hint(pane, 73, "the access word prompt")
        self.assertEqual(screen.text(20, 13, 41), frame_top(20, 60, self.catalogue[6]))
        pane.type(text_at(self.record, ACCESS_WORD, 32))
        pane.send("Enter")
        self.wait_hint(pane, 74, "the new access word prompt")
        pane.type("nuova")
        pane.send("Enter")
        self.wait_hint(pane, 25, "the first protected text")
        pane.send("Enter")
        self.wait_hint(pane, 27, "the second protected text")
        pane.send("C-x")
        pane.type("Licenza nr. 2026-00001")
        pane.send("Enter")
        self.wait_hint(pane, 28, "the third protected text")
        pane.send("Tab")
        screen = self.wait_hint(pane, MENU_HINT, "the menu bar after the protected fields")
        for row in range(14, 18):
            self.assertEqual(screen.text(25, row, 31), " " * 31, f"row {row} hidden")
        expected = with_text(self.record, ACCESS_WORD, 32, "nuova")
        expected = with_text(expected, PROTECTED_TEXT_1, 32, "Licenza nr. 2026-00001")
        self.assertEqual(self.scratch.company_bytes(), expected)

    def test_option_flags_b_esc_stores_the_toggle(self):
        pane, _ = self.start_main_screen()
        pane.type("9")
        self.wait_hint(pane, 104, "the check boxes")
        screen = pane.wait_for(lambda s: s.cursor == (23, 10), "the cursor on bit 0")
        self.assertEqual(screen.text(20, 9, 36), frame_top(20, 55, self.catalogue[95]))
        for bit in range(8):
            mark = "X" if self.record[OPTION_FLAGS_B] & (1 << bit) else " "
            self.assertEqual(screen.text(22, 10 + bit, 33).rstrip(), f"[{mark}] {self.catalogue[96 + bit]}")
        self.assertEqual(screen.colours(22, 10, 33), {colours_of(attr(self.record, DIALOG))})
        pane.send("Up", "Up", "Space", "Escape")  # bit 6, by way of bit 7
        self.wait_hint(pane, MENU_HINT, "the menu bar after Esc")
        expected = bytearray(self.record)
        expected[OPTION_FLAGS_B] ^= 0x40
        self.assertEqual(self.scratch.company_bytes(), bytes(expected))

    def test_service_line_only_with_the_service_code(self):
        pane, _ = self.start_main_screen()
        pane.send("Left")
        pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 7), "the second page")
        pane.send("Enter", "Right")  # item 12 opens nothing, so Right reaches the bar
        pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 1), "the bar back on the first page")
        pane.kill()

        pane, _ = self.start_main_screen(('""', "001", "ENG", "tuvak"))
        pane.send("Left", "Enter")
        screen = self.wait_hint(pane, 19, "the service line")
        self.assertEqual(screen.text(2, 6, 35), frame_top(2, 36, self.catalogue[12]))
        pane.send("C-x")
        pane.type("Assistenza 800 123 456")
        pane.send("Enter")
        self.wait_hint(pane, MENU_HINT, "the menu bar after the service line")
        self.assertEqual(self.scratch.company_bytes(), with_text(self.record, HEADING[0], 32, "Assistenza 800 123 456"))


for_each_term(GuardedDialogs, globals())
