"""Dialogs driven through the real terminal: the currency table, the heading
lines, the parameter rows and the setup-file extension. Each checks both the
screen and the company file's bytes."""
import struct

from program import (ACTIVE_SET, CURRENCY_CODE, CURRENCY_RATE, DIALOG, HEADING, MENU_HINT,
                     MESSAGE_COLOURS, PRINTER_PARAMS, ProgramCase, for_each_term, frame_top, header_title, hotkey,
                     printer_line, printer_line_column, with_bytes, with_text)
from tmux_screen import RECORD_SIZE, attr, colours_of, text_at

CODE_HINT, RATE_HINT = 34, 35
CODE_COLUMN, RATE_COLUMN, TABLE_ROW = 15, 19, 7
FILL = "/"


def rate(record, row):
    return struct.unpack_from("<d", record, CURRENCY_RATE + 8 * row)[0]


class Dialogs(ProgramCase):

    # The currency table -------------------------------------------------

    def table_row(self, record, row):
        return f" {row:2d}:  {text_at(record, CURRENCY_CODE + 4 * row, 4):<3} {rate(record, row):13.6f} "

    def open_currencies(self, pane):
        pane.type("7")
        screen = self.wait_hint(pane, CODE_HINT, "the first currency code field")
        screen = pane.wait_for(lambda s: s.cursor == (CODE_COLUMN + 3, TABLE_ROW), "the cursor after EUR")
        self.assertEqual(screen.text(8, 6, 27), frame_top(8, 34, self.catalogue[7]))
        # Row 0's code is open for editing; its three letters fill the field.
        for row in range(12):
            with self.subTest(row=row):
                self.assertEqual(screen.text(9, TABLE_ROW + row, 24), self.table_row(self.record, row))
        self.assertEqual(screen.colours(9, TABLE_ROW, 24), {colours_of(attr(self.record, DIALOG))})
        return screen

    def test_currency_table_rate_and_code_saved(self):
        # Bytes past the record must survive the save.
        tail = bytes(range(40, 80))
        with open(self.scratch.company, "ab") as f:
            f.write(tail)
        pane, _ = self.start_main_screen()
        self.open_currencies(pane)

        pane.send("Enter")
        screen = self.wait_hint(pane, RATE_HINT)
        offered = f"{rate(self.record, 0):.10g}"
        screen = pane.wait_for(lambda s: s.cursor == (RATE_COLUMN + len(offered), TABLE_ROW), "the rate field")
        self.assertEqual(screen.text(RATE_COLUMN, TABLE_ROW, 13), offered + FILL * (13 - len(offered)))

        pane.send("C-x")
        pane.wait_for(lambda s: s.text(RATE_COLUMN, TABLE_ROW, 13) == FILL * 13
                      and s.cursor == (RATE_COLUMN, TABLE_ROW), "the cleared rate field")
        pane.type("1.5")
        # The point lines up under the template's point, six columns in.
        pane.wait_for(lambda s: s.text(RATE_COLUMN, TABLE_ROW, 13) == "     1.5" + FILL * 5,
                      "1.5 typed into the rate field")
        pane.send("Enter")
        screen = self.wait_hint(pane, CODE_HINT, "the code of row 1")
        screen = pane.wait_for(lambda s: s.cursor == (CODE_COLUMN + 3, TABLE_ROW + 1), "the code of row 1")
        self.assertEqual(screen.text(RATE_COLUMN, TABLE_ROW, 13), "     1.500000")

        pane.send("C-x")
        pane.wait_for(lambda s: s.text(CODE_COLUMN, TABLE_ROW + 1, 3) == FILL * 3, "the cleared code field")
        pane.type("CNY")
        pane.send("Enter")
        self.wait_hint(pane, RATE_HINT, "the rate of row 1")
        # Row 1's rate and the other 10 rows unchanged.
        pane.send(*["Enter"] * 21)
        screen = self.wait_hint(pane, MENU_HINT, "the menu bar after the table")

        expected = with_bytes(self.record, CURRENCY_RATE, struct.pack("<d", 1.5))
        expected = with_text(expected, CURRENCY_CODE + 4, 4, "CNY")
        data = self.scratch.company_bytes()
        self.assertEqual(data[448:456], bytes([0, 0, 0, 0, 0, 0, 0xF8, 0x3F]))
        self.assertEqual(data[404:408], b"CNY\0")
        self.assertEqual(data[:RECORD_SIZE], expected)
        self.assertEqual(data[RECORD_SIZE:], tail)
        # Rates accepted untouched keep every bit, more than 10 digits included.
        self.assertNotEqual(f"{rate(self.record, 11):.10g}", repr(rate(self.record, 11)), "the sample's long rate")
        self.assertEqual(data[CURRENCY_RATE + 88:CURRENCY_RATE + 96], self.record[CURRENCY_RATE + 88:CURRENCY_RATE + 96])

        self.assertEqual(screen.text(9, TABLE_ROW, 24), self.table_row(data, 0))
        self.assertIn("1.500000", screen.row(TABLE_ROW))
        self.assertEqual(screen.text(9, TABLE_ROW + 1, 24), self.table_row(data, 1))
        self.assertEqual(screen.text(CODE_COLUMN, TABLE_ROW + 1, 3), "CNY")

    def test_keypad_keys_in_a_text_field(self):
        # Home, End, Delete, Insert, Left and F5 reach the field editor as
        # those keys, whatever strings this terminal type sends for them.
        pane, _ = self.start_main_screen()
        self.open_currencies(pane)
        y = TABLE_ROW

        def field(text, cursor, what):
            return pane.wait_for(lambda s: s.text(CODE_COLUMN, y, 3) == text
                                 and s.cursor == (CODE_COLUMN + cursor, y), what)

        pane.send("Home")
        field("EUR", 0, "Home: cursor on the first character")
        pane.send("DC")
        field("UR" + FILL, 0, "Delete: first character gone")
        pane.send("End")
        field("UR" + FILL, 2, "End: cursor after the text")
        pane.send("Left")
        field("UR" + FILL, 1, "Left: one back")
        pane.send("IC")
        pane.wait_for(lambda s: s.text(78, 24, 1) == "O", "Insert: the overwrite indicator")
        pane.type("X")
        field("UX" + FILL, 2, "overwrite replaced R")
        pane.send("End")
        pane.type("Y")
        field("UXY", 3, "appended at the end")
        pane.send("Enter")
        self.wait_hint(pane, RATE_HINT, "the rate field")
        pane.send("F5")  # a function key accepts the field
        screen = self.wait_hint(pane, CODE_HINT, "the code of row 1 after F5")
        pane.wait_for(lambda s: s.cursor == (CODE_COLUMN + 3, y + 1), "the code of row 1")
        self.assertEqual(screen.text(CODE_COLUMN, y, 3), "UXY")
        pane.send("Up")  # back to row 0's code, offered with the new text
        field("UXY", 3, "Up: back to the code of row 0")
        pane.send("Escape")
        self.wait_hint(pane, MENU_HINT, "the menu bar after Esc")
        self.assert_nothing_written("Esc must not write")

    # Headings -------------------------------------------------------------

    def test_heading_lines_change_header_title(self):
        new = {1: "Vendita utensili", 2: "Bruni & Figli S.p.A.", 3: "Via Emilia 7",
               4: "40100 Città (BO)", 5: "P.IVA 09876543210"}
        pane, _ = self.start_main_screen()
        pane.type(self.catalogue[1][0].lower())
        pane.wait_for(lambda s: self.catalogue[115] in s.row(6) and self.catalogue[118].replace("&", "") in s.row(9),
                      "the heading submenu")
        pane.type(hotkey(self.catalogue[116]))
        screen = self.wait_hint(pane, 20, "the first heading line")
        self.assertEqual(screen.text(2, 6, 35), frame_top(2, 36, self.catalogue[1]))
        first = text_at(self.record, HEADING[1], 32)
        self.assertEqual(screen.text(4, 7, 31), first + FILL * (31 - len(first)), "line 1 open for editing")
        for n in range(2, 6):
            self.assertEqual(screen.text(3, 6 + n, 33), f" {text_at(self.record, HEADING[n], 32):<31} ")
        for n in range(1, 6):
            pane.wait_for(lambda s: s.cursor == (4 + len(text_at(self.record, HEADING[n], 32)), 6 + n),
                          f"heading line {n} open")
            pane.send("C-x")
            pane.type(new[n])
            pane.send("Enter")
            if n < 5:
                self.wait_hint(pane, 20 + n)

        expected = self.record
        for n, text in new.items():
            expected = with_text(expected, HEADING[n], 32, text)
        title = frame_top(1, 80, header_title(expected))
        screen = pane.wait_for(lambda s: s.row(1) == title, "the new header title")
        self.assertIn(" 001 Bruni & Figli S.p.A., 40100 Città (BO) ", screen.row(1))
        self.wait_hint(pane, MENU_HINT, "the menu bar after the headings")
        data = self.scratch.company_bytes()
        # The accented letter arrives as UTF-8 and is stored as its code page 437 byte.
        self.assertEqual(data[HEADING[4]:HEADING[4] + 17], b"40100 Citt\x85 (BO)\0")
        self.assertEqual(data, expected)

    # Printer parameter rows -------------------------------------------------

    def test_parameter_row_choice_moves_header_printer_line(self):
        pane, _ = self.start_main_screen()
        self.open_submenu(pane, 2, 105, "the printer submenu")
        pane.send("Down", "Down", "Enter")
        self.wait_hint(pane, 57, "the parameter row chooser")
        # The cursor is read just before the cells: wait until both are current.
        screen = pane.wait_for(lambda s: s.cursor == (3, 20), "the cursor on row 0")
        self.assertEqual(screen.text(2, 19, 35), frame_top(2, 36, self.catalogue[108].replace("&", "")))
        for row in (0, 1):
            values = self.record[PRINTER_PARAMS + 8 * row:PRINTER_PARAMS + 8 * row + 8]
            self.assertEqual(screen.text(3, 20 + row, 33), (f"{row}:" + "".join(f"{v:<3} " for v in values))[:33])

        pane.send("Down")
        pane.wait_for(lambda s: s.cursor == (3, 21), "row 1 chosen")
        pane.send("End")
        expected = with_bytes(self.record, ACTIVE_SET, b"\x01")
        line = printer_line(expected)
        row1 = expected[878:884]
        self.assertTrue(line.endswith("(" + ",".join(str(v) for v in row1) + ")"), line)
        screen = pane.wait_for(lambda s: s.text(printer_line_column(line), 3, len(line)) == line,
                               "the header's printer line for row 1")
        self.assertNotIn(printer_line(self.record), screen.row(3))
        self.wait_hint(pane, MENU_HINT, "the menu bar after the chooser")
        self.assertEqual(self.scratch.company_bytes(), expected)

    # Setup-file extension -----------------------------------------------------

    def test_missing_setup_file_keeps_field_open(self):
        pane, _ = self.start_main_screen()
        pane.type(self.catalogue[4][0].lower())
        screen = self.wait_hint(pane, 56, "the extension field")
        screen = pane.wait_for(lambda s: s.cursor == (56, 21) and s.text(56, 21, 3) == FILL * 3,
                               "the empty extension field")
        self.assertEqual(screen.text(40, 20, 37), frame_top(40, 76, self.catalogue[4]))

        pane.type("XYZ")
        pane.send("Enter")
        message = f"{self.catalogue[92]} XYZ"
        screen = pane.wait_for(lambda s: s.text(41, 25, len(message)) == message, "the missing-file message",
                               timeout=3)
        self.assertEqual(screen.colours(41, 25, 31), {MESSAGE_COLOURS})
        # The message goes after about a second; the field is open again.
        screen = pane.wait_for(lambda s: s.text(41, 25, 38).strip() == "", "the message cleared", timeout=4)
        screen = pane.wait_for(lambda s: s.cursor == (56, 21) and s.text(56, 21, 3) == FILL * 3,
                               "the extension field open again")
        self.assertEqual(screen.text(1, 25, 39), f"{self.catalogue[56]:<39}")
        pane.send("Escape")
        self.wait_hint(pane, MENU_HINT, "the menu bar after Esc")
        self.assert_nothing_written("Esc must not write")


for_each_term(Dialogs, globals())
