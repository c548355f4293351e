"""A help command that fails stays readable: its words and a line asking for
a key stay on the screen until a key is pressed, then the editor is back as
it was, and that key does nothing in the editor."""
import time

from program import ProgramCase, for_each_term

PROMPT = "press a key to return to the editor"

# (case, body of the fake viewer, words it leaves on the screen). The
# program's stderr goes to a file in these tests, so the viewer sends its own
# to the terminal, as it would go in real use.
FAILURES = [
    ("viewer ends with status 3", 'echo "VIEWER BROKE: no page $1" >/dev/tty\nexit 3\n',
     "VIEWER BROKE: no page nolvex.hlp"),
    ("viewer cannot be found", 'exec 2>/dev/tty\nexec no-such-viewer-here "$@"\n', "not found"),
]


class HelpFailure(ProgramCase):

    def test_failure_is_held_until_a_key(self):
        for case, body, words in FAILURES:
            with self.subTest(case):
                self.scratch.write_script("readme", body)
                pane, before = self.start_main_screen()
                pane.send("C-End")
                held = pane.wait_for(lambda s: PROMPT in "\n".join(s.lines()), "the line asking for a key")
                self.assertIn(words, "\n".join(held.lines()))
                # Read again once settled: one capture reads the screen mode
                # and the text at two moments.
                time.sleep(0.5)
                still = pane.capture()
                self.assertIn(PROMPT, "\n".join(still.lines()), "the editor came back without a key")
                self.assertFalse(still.alternate, "the message is not on the terminal's main screen")
                # "2" would open menu item 2 if it reached the editor.
                pane.type("2")
                after = pane.wait_for(lambda s: s.alternate and s.lines() == before.lines(),
                                      "the editor's screen as before the help")
                time.sleep(0.3)
                self.assertEqual(pane.capture().lines(), before.lines(), "the key reached the editor")
                pane.type("0")
                self.assertEqual(self.wait_status(), 0)
                pane.kill()
                self.scratch = type(self.scratch)(self)  # a fresh folder for the next case


for_each_term(HelpFailure, globals())
del HelpFailure
