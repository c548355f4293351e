"""The capture parser: every colour form tmux may report must come out as the
same cell colours, or the colour checks of the other tests mean nothing."""
import unittest

from tmux_screen import Cell, bios_to_ansi, colours_of, parse_capture

E = "\x1b["


class ParseCapture(unittest.TestCase):

    def test_colour_forms(self):
        cases = [
            # (captured text, expected (fg, bg) of the first cell)
            (f"{E}30m{E}46mX", (0, 6)),
            (f"{E}97;41mX", (15, 1)),
            (f"{E}38;5;9m{E}48;5;4mX", (9, 4)),
            (f"{E}38;5;200mX", (("256", 200), None)),
            (f"{E}92m{E}0mX", (None, None)),
            (f"{E}31;44m{E}39mX", (None, 4)),
            (f"{E}31;44m{E}49mX", (1, None)),
            (f"{E}38;2;1;2;3mX", (("rgb", 1, 2, 3), None)),
            (f"{E}mX", (None, None)),
        ]
        for data, colours in cases:
            with self.subTest(data=data.replace("\x1b", "ESC")):
                cells = parse_capture(data + "\n", columns=2)
                self.assertEqual((cells[0][0].fg, cells[0][0].bg), colours)
                self.assertEqual(cells[0][0].char, "X")

    def test_pen_carries_across_lines_and_rows_are_padded(self):
        cells = parse_capture(f"{E}34;47mab\ncd{E}1;5m\u2500\n", columns=4)
        self.assertEqual(len(cells), 2)
        self.assertEqual("".join(c.char for c in cells[1]), "cd\u2500 ")
        self.assertEqual(cells[1][0], Cell("c", 4, 7))
        self.assertEqual(cells[1][2], Cell("\u2500", 4, 7, bold=True, blink=True))
        self.assertEqual(cells[1][3], Cell(" ", None, None))

    def test_bios_colours_map_to_ansi(self):
        # BIOS blue 1 is ANSI blue 4, BIOS red 4 is ANSI red 1; bright stays bright.
        self.assertEqual([bios_to_ansi(c) for c in range(16)],
                         [0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15])
        self.assertEqual(colours_of(0x1E), (11, 4))  # yellow on blue
        self.assertEqual(colours_of(0xCF), (15, 1))  # blink bit ignored: white on red


if __name__ == "__main__":
    unittest.main()
