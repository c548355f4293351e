"""The protected fields (item 6), option flags B (item 9) and the service
line (item 12, service mode only) in a real terminal: each opens on the
sample data and one complete walk reaches the company file."""
from program import DIALOG, HEADING, MENU_HINT, ProgramCase, for_each_term, frame_top, menu_row
from tmux_screen import attr, colours_of, text_at

ACCESS_WORD, PROTECTED_TEXT = 224, (192, 256, 288)
PROTECTED_SLOT = 88
OPTION_FLAGS_B = 944
SERVICE_ARGS = ('""', "001", "ENG", "tuvak")
FILL = "/"


def with_text(record, offset, width, text):
    data = text.encode("cp437")
    return record[:offset] + data + bytes(width - len(data)) + record[offset + width:]


class GuardedDialogs(ProgramCase):

    def test_protected_fields_walk(self):
        pane, _ = self.start_main_screen()
        pane.type("6")
        screen = self.wait_hint(pane, 73, "the access word prompt")
        self.assertEqual(screen.text(20, 13, 41), frame_top(20, 60, self.catalogue[6]))
        pane.wait_for(lambda s: s.cursor == (25, 14) and s.text(25, 14, 31) == FILL * 31, "the empty access word")
        pane.type(text_at(self.record, ACCESS_WORD, 32))
        pane.send("Enter")
        self.wait_hint(pane, 74, "the new access word prompt")
        pane.type("nuova")
        pane.send("Enter")
        screen = self.wait_hint(pane, 25, "the first protected text")
        self.assertEqual(screen.text(25, 14, 31), " " * 31, "the accepted word is hidden")
        first = text_at(self.record, PROTECTED_TEXT[0], 32)
        pane.wait_for(lambda s: s.text(25, 15, 31) == first + FILL * (31 - len(first)), "the first text offered")
        pane.send("Enter")
        self.wait_hint(pane, 27, "the second protected text")
        pane.send("C-x")
        pane.wait_for(lambda s: s.text(25, 16, 31) == FILL * 31, "the cleared second text")
        pane.type("Licenza nr. 2026-00001")
        pane.send("Enter")
        self.wait_hint(pane, 28, "the third protected text")
        pane.send("Tab")
        screen = self.wait_hint(pane, MENU_HINT, "the menu bar after the protected fields")
        for row in range(14, 18):
            self.assertEqual(screen.text(25, row, 31), " " * 31, f"row {row} hidden")
        self.assertEqual(screen.colours(25, 15, 31), {colours_of(attr(self.record, PROTECTED_SLOT))})

        expected = with_text(self.record, ACCESS_WORD, 32, "nuova")
        expected = with_text(expected, PROTECTED_TEXT[1], 32, "Licenza nr. 2026-00001")
        self.assertEqual(self.scratch.company_bytes(), expected)

    def test_option_flags_b_esc_stores_the_toggle(self):
        pane, _ = self.start_main_screen()
        pane.type("9")
        screen = self.wait_hint(pane, 104, "the check boxes")
        screen = pane.wait_for(lambda s: s.cursor == (23, 10), "the cursor on bit 0")
        self.assertEqual(screen.text(20, 9, 36), frame_top(20, 55, self.catalogue[95]))
        flags = self.record[OPTION_FLAGS_B]
        for bit in range(8):
            mark = "X" if flags & (1 << bit) else " "
            self.assertEqual(screen.text(22, 10 + bit, 33).rstrip(), f"[{mark}] {self.catalogue[96 + bit]}")
        self.assertEqual(screen.colours(22, 10, 33), {colours_of(attr(self.record, DIALOG))})

        pane.send("Up", "Up", "Space")  # bit 6, by way of bit 7
        pane.wait_for(lambda s: s.cursor == (23, 16), "the cursor on bit 6")
        pane.send("Escape")
        self.wait_hint(pane, MENU_HINT, "the menu bar after Esc")
        expected = bytearray(self.record)
        expected[OPTION_FLAGS_B] ^= 0x40
        self.assertEqual(self.scratch.company_bytes(), bytes(expected))

    def test_service_line_with_the_service_code(self):
        pane, _ = self.start_main_screen(SERVICE_ARGS)
        pane.send("Left", "Enter")  # from item 1 back to item 12
        screen = self.wait_hint(pane, 19, "the service line")
        self.assertEqual(screen.text(2, 6, 35), frame_top(2, 36, self.catalogue[12]))
        old = text_at(self.record, HEADING[0], 32)
        pane.wait_for(lambda s: s.cursor == (4 + len(old), 7), "the service line open at its end")
        pane.send("C-x")
        pane.type("Assistenza 800 123 456")
        pane.send("Enter")
        screen = self.wait_hint(pane, MENU_HINT, "the menu bar after the service line")
        self.assertEqual(screen.text(4, 7, 31), f"{'Assistenza 800 123 456':<31}")
        self.assertEqual(self.scratch.company_bytes(), with_text(self.record, HEADING[0], 32, "Assistenza 800 123 456"))

    def test_service_line_needs_the_service_code(self):
        pane, _ = self.start_main_screen()
        pane.send("Left")
        pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 7), "the second page")
        # Keys are read in order: once the first page is back, Enter on item 12 was handled.
        pane.send("Enter", "Right")
        screen = pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 1), "the first page again")
        self.assertEqual(screen.text(1, 25, 39), f"{self.catalogue[MENU_HINT]:<39}")
        self.assertEqual(screen.text(2, 6, 35), " " * 35, "no service-line frame")
        self.assertEqual(self.scratch.company_bytes(), self.record)

for_each_term(GuardedDialogs, globals())
