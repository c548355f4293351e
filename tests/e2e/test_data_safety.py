"""Nothing lost to others or to failures: a second editor is refused, another
program's write survives our save, a save past a file-size limit is shown and
undone, a hangup while the help viewer runs gives the terminal back, and
hostile catalogues and arguments are refused at once."""
import os
import resource
import signal
import subprocess
import time
import unittest

from program import ACTIVE_SET, HEADING, MENU_HINT, MESSAGE_COLOURS, ProgramCase, for_each_term, with_text
from tmux_screen import BIN, Scratch, wait_until

SETUPREC = os.environ.get("SETUPREC_BIN", "")
SETUP_EXT_HINT = 56


class DataSafety(ProgramCase):

    def choose_parameter_row_1(self, pane):
        """Opens the parameter-row chooser on row 1: End then saves."""
        self.open_submenu(pane, 2, 105, "the printer submenu")
        pane.send("Down", "Down", "Enter")
        self.wait_hint(pane, 57, "the parameter row chooser")
        pane.send("Down")
        pane.wait_for(lambda s: s.cursor == (3, 21), "row 1 chosen")

    def test_a_second_editor_on_the_same_company_does_not_start(self):
        self.start_main_screen()
        result = self.scratch.run_program(["", "001", "ENG"], terminal=True)
        self.assertEqual((result.returncode, result.stdout), (1, b""), result.stderr)
        lines = result.stderr.decode().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("DITTA.001", lines[0])
        self.assertIn(str(self.program_pid()), lines[0].split())
        self.assert_nothing_written()

    def test_a_setup_file_linked_to_the_company_file_keeps_the_lock(self):
        # Testing that SETUP.001 exists opens and closes the company file.
        os.remove(self.scratch.path("SETUP.001"))
        os.link(self.scratch.company, self.scratch.path("SETUP.001"))
        pane, _ = self.start_main_screen()
        pane.type("4")
        self.wait_hint(pane, SETUP_EXT_HINT, "the setup-file dialog")
        pane.send("Enter", "Enter")
        self.wait_hint(pane, MENU_HINT, "the menu bar after the extension was accepted")
        pid = str(self.program_pid())
        result = self.scratch.run_program(["", "001", "ENG"], terminal=True)
        self.assertEqual(result.returncode, 1, "a second editor started")
        self.assertIn(pid, result.stderr.decode().split())
        if SETUPREC:
            refused = subprocess.run([SETUPREC, "set", self.scratch.company, "heading[1]=x"], capture_output=True,
                                     timeout=20, env=dict(os.environ, ASAN_OPTIONS="detect_leaks=0"))
            self.assertEqual((refused.returncode, refused.stderr.decode()),
                             (2, f"setuprec: {self.scratch.company}: in use by the editor (process {pid})\n"))

    def test_an_outside_write_survives_our_next_save(self):
        pane, _ = self.start_main_screen()
        self.choose_parameter_row_1(pane)
        outside = b"Written by the package\0"
        with open(self.scratch.company, "r+b") as f:
            f.seek(HEADING[3])
            f.write(outside)
        pane.send("End")
        self.wait_hint(pane, MENU_HINT, "the menu bar after the chooser")
        expected = bytearray(self.record)
        expected[ACTIVE_SET] = 1
        expected[HEADING[3]:HEADING[3] + len(outside)] = outside
        self.assertEqual(self.scratch.company_bytes(), bytes(expected))

    def test_a_company_file_renamed_over_ours_gets_the_save_and_shows(self):
        # A restore from backup: a copy with another heading 2 takes the name.
        pane, _ = self.start_main_screen()
        self.choose_parameter_row_1(pane)
        restored = with_text(self.record, HEADING[2], 32, "Restored copy")
        with open(self.scratch.path("restored"), "wb") as f:
            f.write(restored)
        os.rename(self.scratch.path("restored"), self.scratch.company)
        pane.send("End")
        self.wait_hint(pane, MENU_HINT, "the menu bar after the save")
        expected = bytearray(restored)
        expected[ACTIVE_SET] = 1
        self.assertEqual(self.scratch.company_bytes(), bytes(expected))
        pane.wait_for(lambda s: "Restored copy" in s.row(1), "the header showing the new heading")
        second = self.scratch.run_program(["", "001", "ENG"], terminal=True)
        self.assertEqual(second.returncode, 1, "the lock stayed on the old file")

    def test_a_save_past_the_file_size_limit_is_shown_and_undone(self):
        command = self.scratch.program_command
        self.scratch.program_command = lambda args: "prlimit --fsize=900:900 -- " + command(args)
        pane, _ = self.start_main_screen()
        self.choose_parameter_row_1(pane)
        pane.send("End")
        reason = "Record not saved: file too large"
        screen = pane.wait_for(lambda s: s.text(41, 25, len(reason)) == reason, "the failed save's message")
        self.assertEqual(screen.colours(41, 25, len(reason)), {MESSAGE_COLOURS})
        self.assertEqual(self.scratch.company_bytes(), self.record, "the record is left half written")
        self.wait_hint(pane, MENU_HINT, "the menu bar after the failed save")
        pane.send("0")
        self.assertEqual(self.wait_status(), 0)

    def test_sigint_and_sigquit_sent_during_help_take_effect_after_it(self):
        for sig in (signal.SIGINT, signal.SIGQUIT):
            with self.subTest(sig.name):
                for name in ("status", "running", "go"):
                    if self.scratch.exists(name):
                        os.remove(self.scratch.path(name))
                self.scratch.write_script("readme", "touch running\nwhile [ ! -e go ]; do sleep 0.02; done\n")
                pane, _ = self.start_main_screen()
                pane.send("C-End")
                wait_until(lambda: self.scratch.exists("running"), "the help viewer")
                os.kill(self.program_pid(), sig)
                open(self.scratch.path("go"), "w").close()
                self.assertEqual(self.wait_status(), 128 + sig)
                pane.kill()

    def test_sighup_while_the_help_viewer_shows_its_own_screen(self):
        # A pager switches to the alternate screen and, killed, never back.
        self.scratch.write_script("readme", "printf '\\033[?1049hALT HELP VIEWER\\r\\n'\nexec sleep 600\n")
        pane, _ = self.start_main_screen()
        pane.send("C-End")
        pane.wait_for(lambda s: s.alternate and "ALT HELP VIEWER" in "\n".join(s.lines()), "the help viewer")
        os.kill(self.program_pid(), signal.SIGHUP)
        self.assertEqual(self.wait_status(), 128 + signal.SIGHUP)
        screen = pane.wait_for(lambda s: self.AFTER in "\n".join(s.lines()), "the shell after the run")
        self.assertFalse(screen.alternate, "left on the alternate screen:\n" + screen.dump())
        self.assertTrue(screen.cursor_visible)


for_each_term(DataSafety, globals())


@unittest.skipUnless(BIN, "SETUPEDIT_BIN is not set; run the tests through ctest or set it")
class HostileInputs(unittest.TestCase):
    """In a pseudo-terminal left at once with 0, a run shows what start-up
    costs."""

    def setUp(self):
        self.scratch = Scratch(self)
        self.catalogue = self.scratch.path("VELTRIS.ENG")
        os.remove(self.catalogue)

    def test_a_fifo_catalogue_fails_at_once(self):
        os.mkfifo(self.catalogue)
        result = self.scratch.run_program(["", "001", "ENG"], terminal=True)
        lines = result.stderr.decode().splitlines()
        self.assertEqual((result.returncode, len(lines)), (1, 1), lines)
        self.assertIn("VELTRIS.ENG': not a regular file", lines[0])

    def test_huge_and_endless_catalogues_are_read_only_as_far_as_they_can_matter(self):
        with open(self.catalogue, "wb") as f:
            f.truncate(300 * 1024 * 1024)  # sparse: costs no disk
        self.assert_starts_quickly()
        os.remove(self.catalogue)
        os.symlink("/dev/zero", self.catalogue)
        self.assert_starts_quickly()

    def assert_starts_quickly(self):
        before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        started = time.monotonic()
        result = self.scratch.run_program(["", "001", "ENG"], terminal=True)
        elapsed = time.monotonic() - started
        peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        self.assertEqual(result.returncode, 0, result.stderr)
        # Read whole, it takes seconds and hundreds of MB, even unsanitized.
        self.assertLess(elapsed, 5.0)
        self.assertTrue(peak_kb <= before or peak_kb < 200 * 1024, f"{peak_kb} kB")

    def test_a_rejected_argument_is_echoed_with_control_bytes_escaped(self):
        result = self.scratch.run_program(["\x1b]0;owned\x07", "001", "ENG"])
        self.assertEqual(result.returncode, 255)
        self.assertEqual(result.stderr, b"setupedit: prefix '\\x1b]0;owned\\x07' is longer than 2 bytes\n")


if __name__ == "__main__":
    unittest.main()
