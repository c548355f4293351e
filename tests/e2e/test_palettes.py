"""Colour palettes through the real terminal: a colour of group 0 chosen in
the grid takes over the header box and the main frame and reaches the file;
the colour preset gives back exactly the sample's palette."""
from program import MENU_HINT, ProgramCase, for_each_term, frame_top, hotkey
from tmux_screen import colours_of, wait_until

PALETTE = 960
SUBMENU, MONOCHROME, COLOUR_PRESET, FIRST_GROUP, CHOOSER = 78, 79, 80, 82, 86
HEADER_SLOT = 1  # slot 1 of group 0 colours the header box


def grid_cell(value):
    """Column and row of a colour in the chooser's grid."""
    return 51 + 3 * (value >> 4), 7 + (value & 15)


class Palettes(ProgramCase):

    def open_colour_menu(self, pane, entry):
        self.open_submenu(pane, 11, SUBMENU, "the colour submenu")
        pane.type(hotkey(self.catalogue[entry]))

    def test_group_0_colour_then_colour_preset(self):
        pane, _ = self.start_main_screen()
        self.open_colour_menu(pane, FIRST_GROUP)
        row = f" {self.catalogue[COLOUR_PRESET][:8]}(0,{HEADER_SLOT}) "
        pane.wait_for(lambda s: s.text(26, 6, 21) == frame_top(26, 46, self.catalogue[FIRST_GROUP].replace("&", ""))
                      and s.text(28, 8, len(row)) == row, "the slot list of group 0")
        pane.send("Down")
        pane.wait_for(lambda s: all(c.blink for c in s.cells[7][27:27 + len(row)]), "the blinking list cursor")
        pane.send("Enter")
        old = self.record[PALETTE + HEADER_SLOT]
        x, y = grid_cell(old)
        screen = pane.wait_for(lambda s: s.text(50, 6, 26) == frame_top(50, 75, self.catalogue[CHOOSER])
                               and s.text(x, y, 3) == "[x]", "the chooser on the slot's colour")
        self.assertTrue(all(c.blink for c in screen.cells[y - 1][x - 1:x + 2]), "the grid cursor blinks")

        pane.send("C-y", "Up")  # one background left, one foreground up (wrapping)
        new = ((old >> 4) - 1) % 8 * 16 + ((old & 15) - 1) % 16
        x, y = grid_cell(new)
        screen = pane.wait_for(lambda s: s.text(x, y, 3) == "[x]", "the grid cursor moved")
        self.assertEqual(screen.colours(4, 17, 19), {colours_of(new)}, "the preview in the new colour")

        pane.send("Enter")
        screen = self.wait_hint(pane, MENU_HINT, "the menu bar after the save")
        self.assertEqual(screen.colours(1, 1, 80), {colours_of(new)}, "the header box in the new colour")
        self.assertEqual(screen.text(26, 7, 21), " " * 21, "the main frame redrawn over the dialog")
        expected = bytearray(self.record)
        expected[PALETTE + HEADER_SLOT] = new
        self.assertEqual(self.scratch.company_bytes(), bytes(expected))

        for entry, palette in ((MONOCHROME, bytes([0x0F] * 64)), (COLOUR_PRESET, self.record[PALETTE:])):
            self.open_colour_menu(pane, entry)
            self.wait_hint(pane, MENU_HINT, "the menu bar after the preset")
            wait_until(lambda: self.scratch.company_bytes()[PALETTE:] == palette, "the preset in the file")
        self.assertEqual(self.scratch.company_bytes(), self.record, "the sample was made with the colour preset")
        self.assertEqual(pane.capture().colours(1, 1, 80), {colours_of(new)}, "a preset redraws nothing")


for_each_term(Palettes, globals())
