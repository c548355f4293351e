"""setuprec as people run it: the sample record copied field by field through
show and apply, in both forms and across locales; the command line's
conventions; several files at once; output errors; check-catalogue on the
shipped catalogues and on a broken one; the bash completion."""
import json
import os
import random
import shutil
import subprocess
import unittest

from tmux_screen import EXAMPLES, Scratch, requirements_missing

SETUPREC = os.environ.get("SETUPREC_BIN", "")
SETUPEDIT = os.environ.get("SETUPEDIT_BIN", "")
SOURCE = os.environ.get("SETUPEDIT_SOURCE", "")
TAIL = bytes(range(256)) * 2  # after the record: must never change
LOCALES = ("C", "C.UTF-8")


def noise_record(seed):
    """Random bytes that apply over any record: a digit row's digit is at most 5."""
    noise = bytearray(random.Random(seed).randbytes(1024))
    for i in range(902, 922):
        noise[i] %= 6
    return bytes(noise)


@unittest.skipUnless(SETUPREC and not requirements_missing(), "SETUPREC_BIN is not set; run through ctest")
class Setuprec(unittest.TestCase):

    def setUp(self):
        self.scratch = Scratch(self)
        self.sample = self.scratch.company_bytes()[:1024]
        self.env = dict(os.environ, LC_ALL="C.UTF-8", ASAN_OPTIONS="detect_leaks=0")

    def run_setuprec(self, *args, stdin=b"", locale="C.UTF-8"):
        env = dict(self.env, LC_ALL=locale)
        return subprocess.run([SETUPREC, *args], input=stdin, capture_output=True, timeout=20, env=env)

    def company(self, name, record):
        path = self.scratch.path(name)
        with open(path, "wb") as f:
            f.write(record + TAIL)
        return path

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def test_a_digit_rows_rule_refuses_only_what_the_record_does_not_hold(self):
        held = self.sample[:902] + b"\x09" + self.sample[903:]  # written by another program
        path = self.company("DITTA.TST", held)
        for form in ([], ["--json"]):
            shown = self.run_setuprec("show", *form, path).stdout
            applied = self.run_setuprec("apply", *form, path, stdin=shown)
            self.assertEqual(applied.returncode, 0, applied.stderr)
            self.assertEqual(self.read(path), held + TAIL, form)
        refused = self.run_setuprec("set", path, "digit_rows[0][1]=9")
        self.assertEqual(refused.returncode, 2)
        self.assertIn(b"digit_rows[0][1]: a digit of a digit row is a whole number 0 to 5", refused.stderr)
        self.assertEqual(self.read(path), held + TAIL)

    def test_show_then_apply_copies_the_sample(self):
        sample = self.company("DITTA.001", self.sample)
        copy = self.company("DITTA.002", self.sample)
        shown = self.run_setuprec("show", sample)
        self.assertEqual(shown.returncode, 0, shown.stderr)
        # First every field of the copy is made different, from random bytes...
        noise = self.company("DITTA.003", noise_record(5))
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

    def test_dump_is_the_same_in_every_locale(self):
        accented = self.sample[:32] + b"Citt\x85" + bytes(27) + self.sample[64:]  # code page 437 a grave
        sample = self.company("DITTA.001", accented)
        noise = self.run_setuprec("show", "--json", self.company("NOISE", noise_record(9))).stdout
        for form in ([], ["--json"]):
            dumps = {locale: self.run_setuprec("show", *form, sample, locale=locale).stdout for locale in LOCALES}
            self.assertEqual(dumps["C"], dumps["C.UTF-8"], form)
            self.assertIn("Città".encode(), dumps["C"], "the dump is not UTF-8")
            for made, applied in ((a, b) for a in LOCALES for b in LOCALES if a != b):
                with self.subTest(form=form, made=made, applied=applied):
                    copy = self.company("COPY", self.sample)
                    self.assertEqual(self.run_setuprec("apply", "--json", copy, stdin=noise).returncode, 0)
                    result = self.run_setuprec("apply", *form, copy, "-", stdin=dumps[made], locale=applied)
                    self.assertEqual(result.returncode, 0, result.stderr)
                    self.assertEqual(self.read(copy), accented + TAIL)

    def test_command_line_conventions(self):
        sample = self.company("DITTA.001", self.sample)
        self.company("SHORT", self.sample[:100])
        # (arguments, status, words on stdout, words on stderr)
        cases = [
            (["--version"], 0, ["setuprec 1."], []),
            (["-h"], 0, ["usage: setuprec", "check-catalogue"], []),
            (["help", "apply"], 0, ["apply [--json] FILE [DUMP]"], []),
            (["show", "--help"], 0, ["usage: setuprec show [--json] FILE..."], []),
            (["set", sample, "--", "--help"], 2, [], ["'--help' is not NAME=VALUE"]),
            (["frob"], 2, [], ["setuprec: 'frob' is not a command"]),
            (["help", "frob"], 2, [], ["'frob' is not a command"]),
            (["help", "help"], 0, ["help [COMMAND | fields]"], []),
            (["help", "--help"], 0, ["help [COMMAND | fields]"], []),
            (["show", "--frob", sample], 2, [], ["unknown option '--frob'", "usage: setuprec show"]),
            ([], 2, [], ["usage: setuprec"]),
            (["diff", sample], 2, [], ["usage: setuprec diff"]),
            (["show", "-"], 0, ["heading[1] = "], []),
            (["show", sample, "SHORT"], 2, [], ["SHORT: a file of 612 bytes"]),
            (["set", "SHORT", "active_set=1"], 2, [], ["SHORT: a file of 612 bytes"]),
            (["set", sample, "active_set=256"], 2, [], [f"{sample}: active_set: a byte is"]),
            (["apply", sample], 2, [], ["(standard input):2: active_set: a byte is"]),
            (["set", sample, "\x1b]2;x\x07=1"], 2, [], ["\\x1b]2;x\\x07: no field of that name"]),
            (["show", "\x1b]2;x"], 2, [], ["\\x1b]2;x: No such file"]),
            (["log", "NOSUCH.001"], 2, [], ["NOSUCH.001: No such file"]),
        ]
        for args, status, out_words, err_words in cases:
            with self.subTest(args=args):
                stdin = self.sample if args == ["show", "-"] else b"# a dump\nactive_set = 999\n"
                result = subprocess.run([SETUPREC, *args], input=stdin, capture_output=True, timeout=20,
                                        env=self.env, cwd=self.scratch.dir)
                self.assertEqual(result.returncode, status, result.stderr)
                for word in out_words:
                    self.assertIn(word, result.stdout.decode())
                for word in err_words:
                    self.assertIn(word, result.stderr.decode())
                self.assertFalse(any(b < 0x20 and b != 0x0A for b in result.stderr), "a control byte was echoed")
        self.assertEqual(self.read(sample), self.sample + TAIL)

    def test_several_files_are_all_checked_before_any_is_written(self):
        first, second = self.company("DITTA.001", self.sample), self.company("DITTA.002", self.sample)
        short = self.company("DITTA.003", b"")
        result = self.run_setuprec("set", first, short, second, "--", 'printer_name[0]="Laser"')
        self.assertEqual(result.returncode, 2)
        self.assertIn(f"{short}: a file of {len(TAIL)} bytes", result.stderr.decode())
        self.assertEqual((self.read(first), self.read(second)), (self.sample + TAIL,) * 2)
        dump = self.scratch.path("printer.dump")
        with open(dump, "wb") as f:
            f.write(b'printer_name[0] = "Laser"\n')
        for args in (["set", first, second, "--", 'printer_name[0]="Laser"'], ["apply", first, second, "--", dump]):
            with self.subTest(args=args):
                for path in (first, second):
                    self.company(os.path.basename(path), self.sample)
                result = self.run_setuprec(*args)
                self.assertEqual(result.returncode, 0, result.stderr)
                shown = self.run_setuprec("show", first, second).stdout.decode()
                self.assertEqual(shown.count('printer_name[0] = "Laser"'), 2, shown)
                self.assertIn(f"# {second}", shown)
        odd = self.company("D\udcff", self.sample)  # a name that is not UTF-8
        shown = json.loads(self.run_setuprec("show", "--json", first, odd).stdout.decode("utf-8"))
        self.assertEqual(list(shown), [first, odd.replace("\udcff", "\\xff")])

    def test_output_errors_are_failures(self):
        sample = self.company("DITTA.001", self.sample)
        catalogue = os.path.join(EXAMPLES, "VELTRIS.ENG")
        commands = [[SETUPREC, "show", sample], [SETUPREC, "show", "--json", sample], [SETUPREC, "--help"],
                    [SETUPREC, "diff", sample, self.company("NOISE", bytes(1024))],
                    [SETUPREC, "check-catalogue", os.path.join(SOURCE, "README.md")],
                    [SETUPEDIT, "--help"], [SETUPEDIT, "--version"]]
        for command in commands:
            for redirect in (">/dev/full", ">&-"):
                with self.subTest(command=command[1:], redirect=redirect):
                    result = subprocess.run(["sh", "-c", f'"$@" {redirect}', "sh", *command], capture_output=True,
                                            timeout=20, env=self.env)
                    self.assertNotEqual(result.returncode, 0, result.stderr)
                    self.assertIn(b"cannot write standard output", result.stderr)
        quiet = subprocess.run(["sh", "-c", '"$@" >&-', "sh", SETUPREC, "check-catalogue", catalogue], timeout=20,
                               env=self.env, capture_output=True)
        self.assertEqual(quiet.returncode, 0, "a command with nothing to print failed")

    def test_bash_completion(self):
        self.company("DITTA.001", self.sample)
        shutil.copy(os.path.join(EXAMPLES, "VELTRIS.ENG"), self.scratch.dir)
        # (words typed so far, candidates that must be offered, candidates that must not)
        cases = [
            (["setuprec", "ch"], ["check-catalogue"], ["show"]),
            (["setuprec", "show", ""], ["DITTA.001"], ["VELTRIS.ENG"]),
            (["setuprec", "check-catalogue", ""], ["VELTRIS.ENG"], ["DITTA.001"]),
            (["setuprec", "set", "DITTA.001", "printer_na"], ["printer_name[0]=", "printer_name[1]="], ["DITTA.001"]),
            (["setuprec", "set", "DITTA.001", "DI"], ["DITTA.001"], []),
            (["setuprec", "apply", "--j"], ["--json"], []),
            (["setupedit", '""', ""], ["001"], []),
            (["setupedit", '""', "001", ""], ["ENG"], []),
        ]
        tools = os.path.dirname(SETUPREC)
        for words, offered, not_offered in cases:
            with self.subTest(words=words):
                script = (f"source {SOURCE}/completion/setuprec; source {SOURCE}/completion/setupedit; "
                          f'COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _$1; printf "%s\\n" "${{COMPREPLY[@]}}"')
                env = dict(self.env, PATH=f"{tools}:{os.environ['PATH']}")
                result = subprocess.run(["bash", "-c", script, "bash", *words], capture_output=True, timeout=20,
                                        env=env, cwd=self.scratch.dir)
                candidates = result.stdout.decode().split()
                for word in offered:
                    self.assertIn(word, candidates, result.stderr)
                for word in not_offered:
                    self.assertNotIn(word, candidates)

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
