"""The main screen at start-up, the menu bar's pages and hotkeys, and the help
key, run under each terminal type."""
import re

from program import (BACKGROUND, BANNER_LENGTH, BANNER_TAIL, DIALOG, MAIN_FRAME, MENU_CURSOR,
                     MENU_CURSOR_HOTKEY, MENU_HINT, MENU_NORMAL, MENU_NORMAL_HOTKEY, MENU_SELECTED,
                     MENU_SELECTED_HOTKEY, STATUS_TEXT, ProgramCase, for_each_term, frame_top, header_title,
                     item_column, local_now, main_frame_rows, menu_row, overlay, printer_line,
                     printer_line_column, BOTTOM_LEFT, BOTTOM_RIGHT, SINGLE)
from tmux_screen import COLUMNS, MORE_TERMS, TERMS, attr, colours_of


class MainScreen(ProgramCase):

    def colour(self, slot):
        return colours_of(attr(self.record, slot))

    def assert_menu_page(self, screen, page_first, cursor_item, cursor_slots=(MENU_CURSOR, MENU_CURSOR_HOTKEY)):
        """Row 2 shows the page's six items, cursor_item in the given state
        and the others normal, each hotkey in its own colour."""
        self.assertEqual(screen.row(2), menu_row(self.catalogue, page_first))
        for item in range(page_first, page_first + 6):
            text_slot, hotkey_slot = cursor_slots if item == cursor_item else (MENU_NORMAL, MENU_NORMAL_HOTKEY)
            x = item_column(item)
            with self.subTest(item=item):
                self.assertEqual(screen.colours(x, 2), {self.colour(hotkey_slot)}, "hotkey colour")
                self.assertEqual(screen.colours(x + 1, 2, 11), {self.colour(text_slot)}, "text colour")

    def test_start_draws_header_menu_frame_and_hint(self):
        pane, screen = self.start_main_screen()
        header = self.colour(MENU_NORMAL)

        # Row 1: the header box's top edge with company code and headings 2 and 4.
        self.assertEqual(screen.row(1), frame_top(1, 80, header_title(self.record)))
        self.assertEqual(screen.colours(1, 1, COLUMNS), {header})

        # Row 2: page 1, item 1 under the cursor.
        self.assert_menu_page(screen, 1, 1)
        self.assertEqual(screen.colours(1, 2), {header})
        self.assertEqual(screen.colours(80, 2), {header})

        # Row 3: date, printer line, time, all in the header's colour.
        row3 = screen.row(3)
        line = printer_line(self.record)
        self.assertEqual(screen.text(printer_line_column(line), 3, len(line)), line)
        date = screen.text(3, 3, 12)
        days = {self.started_at.date(), local_now().date()}
        self.assertIn(date, {f" {d.day:02d}-{d.month:02d}-{d.year} " for d in days}, row3)
        clock = screen.text(69, 3, 10)
        match = re.fullmatch(r" (\d\d):(\d\d):(\d\d) ", clock)
        self.assertIsNotNone(match, row3)
        shown = self.started_at.replace(hour=int(match[1]), minute=int(match[2]), second=int(match[3]),
                                         microsecond=0)
        gap = (shown - self.started_at.replace(microsecond=0)).total_seconds() % 86400
        self.assertTrue(gap <= 10 or gap >= 86400 - 1, f"time {clock!r}, started at {self.started_at:%H:%M:%S}")
        # The date and time are printed after the printer line, over it.
        expected3 = BOTTOM_LEFT + SINGLE * (COLUMNS - 2) + BOTTOM_RIGHT
        for x, text in ((printer_line_column(line), line), (3, date), (69, clock)):
            expected3 = overlay(expected3, x, text)
        self.assertEqual(row3, expected3)
        self.assertEqual(screen.colours(1, 3, COLUMNS), {header})

        # Rows 4-24: the main frame, its title and the build banner.
        expected = main_frame_rows(self.catalogue)
        banner = screen.text(21, 24, BANNER_LENGTH)
        self.assertTrue(banner.endswith(BANNER_TAIL), banner)
        self.assertNotIn(SINGLE, banner)
        expected[24] = overlay(expected[24], 21, banner)
        for y in range(4, 25):
            with self.subTest(row=y):
                self.assertEqual(screen.row(y), expected[y])
                self.assertEqual(screen.colours(1, y, COLUMNS), {self.colour(MAIN_FRAME)})
        self.assertIn(f" {self.catalogue[0]} ", screen.row(4))

        # Row 25: the menu-bar hint, then the background colour.
        self.assertEqual(screen.text(1, 25, 39), f"{self.catalogue[MENU_HINT]:<39}")
        self.assertEqual(screen.colours(1, 25, 39), {self.colour(STATUS_TEXT)})
        self.assertEqual(screen.colours(40, 25, 39), {self.colour(BACKGROUND)})
        self.assertEqual(screen.text(40, 25, 41).strip(), "")

    def test_right_pages_and_hotkeys_across_pages(self):
        pane, screen = self.start_main_screen()
        for item in range(2, 7):
            pane.send("Right")
            pane.wait_for(lambda s: s.colours(item_column(item) + 1, 2) == {self.colour(MENU_CURSOR)},
                          f"item {item} under the cursor")
        pane.send("Right")
        screen = pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 7), "page 2")
        screen = pane.wait_for(lambda s: s.colours(item_column(7) + 1, 2) == {self.colour(MENU_CURSOR)},
                               "item 7 under the cursor")
        self.assert_menu_page(screen, 7, 7)

        # Back to page 1 with Left; then a page-2 item's hotkey, typed in
        # lower case, switches page and opens it: item 7's dialog shows the
        # item selected while it runs.
        pane.send("Left")
        screen = pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 1), "page 1 again")
        screen = pane.wait_for(lambda s: s.colours(item_column(6) + 1, 2) == {self.colour(MENU_CURSOR)},
                               "item 6 under the cursor")
        self.assert_menu_page(screen, 1, 6)
        pane.type(self.catalogue[7][0].lower())
        screen = pane.wait_for(lambda s: s.text(8, 6, 27) == frame_top(8, 34, self.catalogue[7]),
                               "the dialog of item 7")
        self.assert_menu_page(screen, 7, 7, (MENU_SELECTED, MENU_SELECTED_HOTKEY))
        self.assertEqual(screen.colours(8, 6, 27), {self.colour(DIALOG)})
        pane.send("Escape")
        screen = self.wait_hint(pane, MENU_HINT, "the menu bar back")
        screen = pane.wait_for(lambda s: s.colours(item_column(7) + 1, 2) == {self.colour(MENU_CURSOR)},
                               "item 7 under the cursor again")
        self.assert_menu_page(screen, 7, 7)

        # Item 12 without the service code does nothing: its hotkey from page
        # 1 moves the bar to it and the bar waits again.
        pane.send("Up")
        pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 1), "page 1 with Up")
        pane.type(self.catalogue[12][0].lower())
        screen = pane.wait_for(lambda s: s.row(2) == menu_row(self.catalogue, 7)
                               and s.colours(item_column(12) + 1, 2) == {self.colour(MENU_CURSOR)},
                               "item 12 under the cursor on page 2")
        self.assert_menu_page(screen, 7, 12)
        self.assertEqual(screen.text(1, 25, 39), f"{self.catalogue[MENU_HINT]:<39}")

    def test_help_key_runs_viewer_and_restores_screen(self):
        # The fake viewer shows a page on the shell's screen, notes its
        # argument and the terminal modes, and waits for a line: reading a
        # line needs the cooked mode the program must give back for it.
        self.scratch.write_script("readme", (
            'echo "$@" > readme_args.txt\n'
            'stty -a > readme_stty.txt\n'
            'printf "\\033[2J\\033[HFAKE HELP VIEWER: %s\\n" "$1"\n'
            'read answer\n'
            'echo "$answer" > readme_answer.txt\n'))
        pane, before = self.start_main_screen()
        pane.send("Right")
        # The cursor moves last in an update: waiting for it too, the screen is complete.
        before = pane.wait_for(lambda s: s.colours(item_column(2) + 1, 2) == {self.colour(MENU_CURSOR)}
                               and s.cursor == (item_column(2), 2), "item 2 under the cursor")

        pane.send("C-End")
        viewer = pane.wait_for(lambda s: "FAKE HELP VIEWER: nolvex.hlp" in s.row(1), "the help viewer")
        self.assertFalse(viewer.alternate, "the viewer runs on the program's alternate screen")
        self.assertTrue(viewer.cursor_visible)
        self.assertEqual(self.scratch.read("readme_args.txt").strip(), "nolvex.hlp")
        modes = self.scratch.read("readme_stty.txt").replace(";", " ").split()
        for flag in ("icanon", "echo", "icrnl"):
            self.assertIn(flag, modes)

        pane.type("done")
        pane.send("Enter")
        after = pane.wait_for(lambda s: s.alternate and s.row(1) == before.row(1), "the program's screen again")
        after = pane.wait_for(lambda s: s.lines() == before.lines() and s.cursor == before.cursor,
                              "the same screen as before the help")
        self.assertEqual(self.scratch.read("readme_answer.txt").strip(), "done")
        self.assertEqual(after.cells, before.cells)
        self.assertEqual(after.cursor, before.cursor)

        # The bar still works on the same item afterwards.
        pane.send("Right")
        pane.wait_for(lambda s: s.colours(item_column(3) + 1, 2) == {self.colour(MENU_CURSOR)},
                      "item 3 under the cursor after the help")


for_each_term(MainScreen, globals(), TERMS + MORE_TERMS)
del MainScreen
