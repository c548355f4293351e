"""Start-up failures: the exit status, one line on stderr, nothing drawn, and
the company file untouched."""
import os
import subprocess
import unittest

from program import ProgramCase
from tmux_screen import BIN, requirements_missing

COMPANY = "DITTA.001"

# (case, arguments, status, words the stderr line must hold)
CASES = [
    ("no arguments", [], 255, ["usage"]),
    ("one argument", [""], 255, ["usage"]),
    ("two arguments", ["", "001"], 255, ["usage"]),
    ("prefix over 2 characters", ["ABC", "001", "ENG"], 255, ["ABC"]),
    ("code over 3 characters", ["", "0011", "ENG"], 255, ["0011"]),
    ("language over 3 characters", ["", "001", "ENGL"], 255, ["ENGL"]),
    ("no company file", ["", "002", "ENG"], 1, ["DITTA.002"]),
    ("prefix joined without separator", ["AB", "001", "ENG"], 1, ["ABDITTA.001"]),
    ("no catalogue", ["", "001", "FRA"], 1, ["VELTRIS.FRA"]),
]


@unittest.skipUnless(BIN, "SETUPEDIT_BIN is not set; run the tests through ctest or set it")
class StartupFailuresWithoutTerminal(ProgramCase, unittest.TestCase):
    """Run directly: a pseudo-terminal for input and output, or none."""

    def test_failures(self):
        for case, args, status, words in CASES:
            with self.subTest(case, args=args):
                result = self.scratch.run_program(args, terminal=True)
                self.assertEqual(result.returncode, status, result.stderr)
                self.assertEqual(result.stdout, b"", "something was drawn")
                lines = result.stderr.decode(errors="replace").strip().splitlines()
                self.assertEqual(len(lines), 1, f"expected one line on stderr, got {lines}")
                for word in words:
                    self.assertIn(word.lower(), lines[0].lower())
                self.assert_nothing_written()
                self.assertEqual(sorted(os.listdir(self.scratch.dir)),
                                 sorted(["bin", COMPANY, "VELTRIS.ENG", "SETUP.001", "nolvex.hlp"]),
                                 "a file was created")

    def test_no_terminal(self):
        # Both files open, but there is no terminal to draw on.
        result = self.scratch.run_program(["", "001", "ENG"])
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(len(result.stderr.strip().splitlines()), 1, result.stderr)
        self.assert_nothing_written()

    def test_missing_catalogue_leaves_company_file_times(self):
        result = self.scratch.run_program(["", "001", "XYZ"], terminal=True)
        self.assertEqual(result.returncode, 1)
        self.assert_nothing_written()

    def test_closed_standard_descriptors_never_reach_the_company_file(self):
        # A file opened while 2 is closed would be 2, and the message about
        # the missing terminal would be written into the record.
        for case, closed in (("stderr", (2,)), ("stdout and stderr", (1, 2)), ("all three", (0, 1, 2))):
            with self.subTest(case):
                result = self.scratch.run_program(["", "001", "ENG"], stdin=subprocess.DEVNULL,
                                                  pass_fds=(), preexec_fn=lambda: [os.close(fd) for fd in closed])
                self.assertEqual(result.returncode, 1)
                self.assert_nothing_written()


@unittest.skipIf(requirements_missing(), requirements_missing() or "")
class StartupFailuresInTerminal(ProgramCase, unittest.TestCase):
    """In a real terminal the failures leave it exactly as it was."""

    def test_terminal_untouched(self):
        for case, args, status in (("two arguments", ['""', "001"], 255),
                                   ("no company file", ['""', "002", "ENG"], 1),
                                   ("no catalogue", ['""', "001", "FRA"], 1)):
            with self.subTest(case):
                if self.scratch.exists("status"):
                    os.remove(self.scratch.path("status"))
                pane = self.start(args)
                self.assertEqual(self.wait_status(), status)
                self.assert_terminal_restored(pane)
                self.assert_nothing_written()
                pane.kill()


if __name__ == "__main__":
    unittest.main()
