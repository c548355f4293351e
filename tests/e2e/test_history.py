"""The history of a record as an operator meets it: two saves in the editor,
listed by setuprec log with the fields they changed, and taken back one
after the other by setuprec undo, down to the bytes."""
import os
import subprocess

from program import HEADING, MENU_HINT, ProgramCase, for_each_term, hotkey, with_text
from tmux_screen import TERMS, wait_until

SETUPREC = os.environ.get("SETUPREC_BIN", "")
PALETTE_KIND, MONOCHROME_KIND, PALETTE = 955, 1, 960
HEADINGS_SUBMENU, FIRST_HEADING_ENTRY, FIRST_HEADING_HINT = 115, 116, 20
COLOUR_SUBMENU, MONOCHROME = 78, 79


class History(ProgramCase):

    def setuprec(self, *args):
        return subprocess.run([SETUPREC, *args, self.scratch.company], capture_output=True, timeout=20, text=True,
                              env=dict(os.environ, ASAN_OPTIONS="detect_leaks=0", TZ="UTC"))

    def test_two_editor_saves_logged_and_undone(self):
        pane, _ = self.start_main_screen()
        self.open_submenu(pane, 1, HEADINGS_SUBMENU, "the heading submenu")
        pane.type(hotkey(self.catalogue[FIRST_HEADING_ENTRY]))
        self.wait_hint(pane, FIRST_HEADING_HINT, "the first heading line")
        pane.send("C-x")
        pane.type("Changed heading")
        pane.send(*["Enter"] * 5)
        self.wait_hint(pane, MENU_HINT, "the menu bar after the headings")
        self.open_submenu(pane, 11, COLOUR_SUBMENU, "the colour submenu")
        pane.type(hotkey(self.catalogue[MONOCHROME]))
        edited = with_text(self.record, HEADING[1], 32, "Changed heading")
        edited = edited[:PALETTE_KIND] + bytes([MONOCHROME_KIND]) + edited[PALETTE_KIND + 1:PALETTE] + bytes([0x0F] * 64)
        wait_until(lambda: self.scratch.company_bytes() == edited, "both saves in the file")

        refused = self.setuprec("undo")
        self.assertEqual(refused.returncode, 2, "an undo while the editor holds the record")
        self.assertIn(f"process {self.program_pid()}", refused.stderr)
        pane.type("0")
        self.assertEqual(self.wait_status(), 0)

        log = self.setuprec("log").stdout.splitlines()
        self.assertEqual(len(log), 3, log)
        self.assertRegex(log[0], r"^3  .*setupedit monochrome preset: palette_kind, palette\[")
        self.assertRegex(log[1], r"^2  .*setupedit heading lines: heading\[1\]$")
        self.assertRegex(log[2], r"^1  .*found on disk")

        for step, expected in (("palette", with_text(self.record, HEADING[1], 32, "Changed heading")),
                               ("heading", self.record)):
            result = self.setuprec("undo")
            self.assertEqual((result.returncode, result.stderr), (0, ""), step)
            self.assertEqual(self.scratch.company_bytes(), expected, f"the {step} save taken back")
        self.assertEqual(self.setuprec("undo").returncode, 2, "the found record is no save to take back")
        log = self.setuprec("log").stdout.splitlines()
        self.assertRegex(log[0], r"^5  .*setuprec undo of 2: heading\[1\]$")
        self.assertRegex(log[1], r"^4  .*setuprec undo of 3: palette_kind, ")


for_each_term(History, globals(), terms=TERMS[:1])
