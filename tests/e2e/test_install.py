"""The installed program: `cmake --install` into a temporary prefix (what
`make install PREFIX=...` runs), then the program run from a folder that
holds only the company file, finding the installed catalogue, help viewer,
help file and manual page."""
import os
import shlex
import shutil
import subprocess
import tempfile
import unittest

from tmux_screen import BIN, TERMS, Scratch, TmuxPane, read_catalogue, skip_unless_ready, wait_until

SHARE_FILES = ["VELTRIS.ENG", "VELTRIS.ITA", "nolvex.hlp", "readme"]
LOCAL_TITLE = "Title from this folder"

# (case, arguments, status, words on stdout)
INFO_ARGUMENTS = [
    ("--help", ["--help"], 0, ["usage: setupedit PREFIX CODE LANG", "{prefix}/share/man/man1/setupedit.1"]),
    ("--help with more arguments", ["--help", "001", "ENG"], 0, ["usage: setupedit"]),
    ("--version", ["--version"], 0, ["setupedit 1."]),
    ("a short prefix is still a prefix", ["-h", "001", "ENG"], 1, []),
    ("--help later is an argument", ["", "001", "--help"], 255, []),
]


@skip_unless_ready
class Installed(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="setupedit-install-")
        build = os.path.dirname(BIN)
        subprocess.run(["cmake", "--install", build, "--prefix", cls.prefix],
                       check=True, capture_output=True, timeout=60)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, True)

    def installed(self, *names):
        return os.path.join(self.prefix, *names)

    def run_installed(self, args):
        return subprocess.run([self.installed("bin", "setupedit"), *args], cwd=self.folder, capture_output=True,
                              stdin=subprocess.DEVNULL, timeout=20,
                              env=dict(os.environ, ASAN_OPTIONS="detect_leaks=0"))

    def setUp(self):
        # A folder with the company file alone: no catalogue, no help files.
        self.sample = Scratch(self)
        self.folder = tempfile.mkdtemp(prefix="setupedit-company-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        shutil.copy(self.sample.company, self.folder)

    def test_files_are_in_place(self):
        for name in ["bin/setupedit", "bin/setuprec", "share/setupedit/readme"]:
            self.assertTrue(os.access(self.installed(name), os.X_OK), name)
        for name in SHARE_FILES + ["../man/man1/setupedit.1", "../man/man1/setuprec.1",
                                   "../bash-completion/completions/setupedit", "../bash-completion/completions/setuprec"]:
            self.assertTrue(os.path.isfile(self.installed("share", "setupedit", name)), name)
        if shutil.which("man") is None:
            self.skipTest("man is not installed")
        for page in ("setupedit", "setuprec"):
            found = subprocess.run(["man", "-w", page], capture_output=True, text=True, timeout=20,
                                   env=dict(os.environ, MANPATH=self.installed("share", "man")))
            self.assertEqual(found.stdout.strip(), self.installed("share", "man", "man1", page + ".1"))
            shown = subprocess.run(["man", "-l", found.stdout.strip()], capture_output=True, text=True,
                                   timeout=20, env=dict(os.environ, MANPAGER="cat", MANWIDTH="80"))
            self.assertEqual(shown.returncode, 0, shown.stderr)
            for heading in ("NAME", "SYNOPSIS", "EXIT STATUS", "ENVIRONMENT", "EXAMPLES"):
                self.assertIn(heading, shown.stdout, page)

    def test_help_and_version(self):
        for case, args, status, words in INFO_ARGUMENTS:
            with self.subTest(case):
                result = self.run_installed(args)
                self.assertEqual(result.returncode, status, result.stderr)
                out = result.stdout.decode()
                for word in words:
                    self.assertIn(word.format(prefix=self.prefix), out)
                if status == 0:
                    self.assertEqual(result.stderr, b"")
                else:
                    self.assertEqual(out, "", "a start-up failure printed on stdout")

    @staticmethod
    def text_of(path):
        with open(path) as f:
            return f.read().strip()

    def start(self, pager_dir, term):
        command = (f"export PATH={shlex.quote(pager_dir)}:/usr/bin:/bin PAGER=viewpage "
                   f"ASAN_OPTIONS=detect_leaks=0; cd {shlex.quote(self.folder)}; "
                   f"{shlex.quote(self.installed('bin', 'setupedit'))} '' 001 ENG 2> stderr.txt; "
                   f"echo $? > status; exec sleep 600")
        return TmuxPane(self, f"/bin/sh -c {shlex.quote(command)}", term)

    def test_runs_from_another_folder(self):
        pager_dir = tempfile.mkdtemp(prefix="setupedit-pager-")
        self.addCleanup(shutil.rmtree, pager_dir, True)
        pager = os.path.join(pager_dir, "viewpage")
        with open(pager, "w") as f:
            f.write('#!/bin/sh\nprintf "PAGER SHOWS %s\\n" "$1"\nhead -n 1 "$1"\nread answer\n')
        os.chmod(pager, 0o755)
        catalogue = read_catalogue(self.installed("share", "setupedit", "VELTRIS.ENG"))
        with open(self.installed("share", "setupedit", "nolvex.hlp"), encoding="cp437") as f:
            help_first_line = f.readline().strip()
        for term in TERMS:
            with self.subTest(term):
                pane = self.start(pager_dir, term)
                pane.wait_for(lambda s: s.alternate and catalogue[0] in s.row(4) and
                              catalogue[13] in s.row(25), "the main screen with the installed catalogue")
                pane.send("C-End")
                help_file = self.installed("share", "setupedit", "nolvex.hlp")
                # The pager prints its line, then the help's first line: wait for both.
                pane.wait_for(lambda s: all(line in "\n".join(s.lines())
                                            for line in (f"PAGER SHOWS {help_file}", help_first_line)),
                              "the installed viewer on the installed help file")
                pane.send("Enter")
                pane.wait_for(lambda s: s.alternate and catalogue[0] in s.row(4), "the editor after the help")
                pane.type("0")
                status = os.path.join(self.folder, "status")
                wait_until(lambda: os.path.exists(status) and self.text_of(status) != "", "the exit status")
                self.assertEqual(self.text_of(status), "0")
                with open(os.path.join(self.folder, "stderr.txt")) as f:
                    self.assertEqual(f.read(), "")
                os.remove(status)
                pane.kill()

    def test_catalogue_in_the_folder_wins(self):
        lines = read_catalogue(self.installed("share", "setupedit", "VELTRIS.ENG"))
        lines[0] = LOCAL_TITLE
        with open(os.path.join(self.folder, "VELTRIS.ENG"), "wb") as f:
            f.write("\n".join(lines).encode("cp437"))
        pane = self.start(self.folder, TERMS[0])
        pane.wait_for(lambda s: s.alternate and LOCAL_TITLE in s.row(4), "the folder's own catalogue")
        pane.type("0")


if __name__ == "__main__":
    unittest.main()
