"""Fields walked through with Enter keep their bytes: a printer code with a
00 byte inside is shown and offered with it, and accepting it as shown stores
exactly what was read."""
from program import MENU_HINT, ProgramCase, for_each_term, hotkey

CODE_SET_HINT, FIRST_CODE_HINT = 63, 36
ON_COLUMN, OFF_COLUMN, FIRST_CODE_ROW = 43, 60, 8
PRINTER_CODES = 544
CODE = bytes([0x1B, 0x33, 0x00, 0x41, 0, 0, 0, 0])        # on, set 0, row 0
LEADING_ZERO = bytes([0x00, 0x1B, 0x40, 0, 0, 0, 0, 0])   # off, set 0, row 0


class UntouchedFields(ProgramCase):

    def test_code_with_a_zero_byte_survives_an_enter_walk(self):
        with open(self.scratch.company, "r+b") as f:
            f.seek(PRINTER_CODES)
            f.write(CODE + LEADING_ZERO)
        record = self.scratch.company_bytes()
        pane, _ = self.start_main_screen()
        self.open_submenu(pane, 2, 105, "the printer submenu")
        pane.type(hotkey(self.catalogue[107]))
        self.wait_hint(pane, CODE_SET_HINT, "the code-set prompt")
        pane.send("Enter")
        screen = self.wait_hint(pane, FIRST_CODE_HINT, "the first code field")
        screen = pane.wait_for(lambda s: s.cursor == (ON_COLUMN + 8, FIRST_CODE_ROW), "the cursor after 1b330041")
        self.assertEqual(screen.text(ON_COLUMN, FIRST_CODE_ROW, 16), "1b330041" + "/" * 8)
        self.assertEqual(screen.text(OFF_COLUMN, FIRST_CODE_ROW, 6), "001b40")

        pane.send(*["Enter"] * 20)
        self.wait_hint(pane, MENU_HINT, "the menu bar after the codes")
        data = self.scratch.company_bytes()
        self.assertEqual(data[PRINTER_CODES:PRINTER_CODES + 16].hex(" "), (CODE + LEADING_ZERO).hex(" "))
        self.assertEqual(data, record)


for_each_term(UntouchedFields, globals())
