"""setuprec as people run it: the sample record copied field by field through
show and apply, and check-catalogue on the shipped catalogues and on a
broken one."""
import os
import random
import shutil
import subprocess
import unittest

from tmux_screen import EXAMPLES, Scratch, requirements_missing

SETUPREC = os.environ.get("SETUPREC_BIN", "")
TAIL = bytes(range(256)) * 2  # after the record: must never change


@unittest.skipUnless(SETUPREC and not requirements_missing(), "SETUPREC_BIN is not set; run through ctest")
class Setuprec(unittest.TestCase):

    def setUp(self):
        self.scratch = Scratch(self)
        self.sample = self.scratch.company_bytes()[:1024]
        self.env = dict(os.environ, LC_ALL="C.UTF-8", ASAN_OPTIONS="detect_leaks=0")

    def run_setuprec(self, *args, stdin=b""):
        return subprocess.run([SETUPREC, *args], input=stdin, capture_output=True, timeout=20, env=self.env)

    def company(self, name, record):
        path = self.scratch.path(name)
        with open(path, "wb") as f:
            f.write(record + TAIL)
        return path

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def test_show_then_apply_copies_the_sample(self):
        sample = self.company("DITTA.001", self.sample)
        copy = self.company("DITTA.002", self.sample)
        shown = self.run_setuprec("show", sample)
        self.assertEqual(shown.returncode, 0, shown.stderr)
        # First every field of the copy is made different, from random bytes...
        noise = bytearray(random.Random(5).randbytes(1024))
        for i in range(902, 922):  # a digit row's digit is at most 5
            noise[i] %= 6
        noise = self.company("DITTA.003", bytes(noise))
        noisy = self.run_setuprec("apply", copy, stdin=self.run_setuprec("show", noise).stdout)
        self.assertEqual(noisy.returncode, 0, noisy.stderr)
        before = self.run_setuprec("show", copy).stdout.decode().splitlines()
        differing = [a for a, b in zip(before, shown.stdout.decode().splitlines()) if a != b]
        self.assertGreater(len(differing), len(before) * 9 // 10, "the noise left most fields alone")
        # ...then the sample's dump brings back every byte.
        applied = self.run_setuprec("apply", copy, stdin=shown.stdout)
        self.assertEqual(applied.returncode, 0, applied.stderr)
        self.assertEqual(self.read(copy), self.sample + TAIL)
        self.assertEqual(self.run_setuprec("diff", sample, copy).returncode, 0)

    def test_check_catalogue(self):
        for name in ("VELTRIS.ENG", "VELTRIS.ITA"):
            result = self.run_setuprec("check-catalogue", os.path.join(EXAMPLES, name))
            self.assertEqual((result.returncode, result.stdout), (0, b""), name)
        broken = self.scratch.path("VELTRIS.XX")
        shutil.copy(os.path.join(EXAMPLES, "VELTRIS.ENG"), broken)
        with open(broken, "rb") as f:
            lines = f.read().split(b"\n")
        lines[3] = b"options"
        with open(broken, "wb") as f:
            f.write(b"\n".join(lines))
        result = self.run_setuprec("check-catalogue", broken)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout.decode().splitlines(),
                         [f"{broken}:4: menu-bar item starts with 'o': no key reaches it (use a capital letter)"])


if __name__ == "__main__":
    unittest.main()
