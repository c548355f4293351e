"""Ending while the terminal is not simply ours: a signal while the help
viewer holds the terminal, and a terminal that disappears (an SSH connection
that drops). Nothing may keep running on the terminal afterwards, the shell
gets it back as it was, and the company file holds only what was saved."""
import os
import signal

from program import ProgramCase, for_each_term
from tmux_screen import wait_until


def running(pid):
    """Alive and not a zombie (whose parent may never reap it here)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            stat = f.read()
    except OSError:
        return False
    return stat[stat.rfind(")") + 2] != "Z"


def foreground_group_is_own(pid):
    """The process's group holds its terminal's foreground (fields 5 and 8 of stat)."""
    with open(f"/proc/{pid}/stat") as f:
        stat = f.read()
    fields = stat[stat.rfind(")") + 2:].split()
    return fields[2] == fields[5]


class TerminalLostOrTaken(ProgramCase):

    def test_sigterm_while_the_help_viewer_runs_ends_the_viewer_too(self):
        # The viewer puts the terminal in raw mode and starts a process of its
        # own, as a pager may; neither may outlive the program.
        self.scratch.write_script("readme", (
            "sleep 600 &\n"
            "echo $! > viewer_child.pid\n"
            "echo $$ > viewer.pid\n"
            "stty raw -echo\n"
            "printf 'FAKE HELP VIEWER\\r\\n'\n"
            "wait\n"))
        pane, _ = self.start_main_screen()
        pane.send("C-End")
        pane.wait_for(lambda s: "FAKE HELP VIEWER" in "\n".join(s.lines()), "the help viewer")
        wait_until(lambda: self.scratch.exists("viewer_child.pid")
                   and self.scratch.read("viewer_child.pid").strip() != "", "the viewer's own process")
        viewer = int(self.scratch.read("viewer.pid"))
        viewer_child = int(self.scratch.read("viewer_child.pid"))
        self.addCleanup(lambda: running(viewer_child) and os.kill(viewer_child, signal.SIGKILL))

        os.kill(self.program_pid(), signal.SIGTERM)
        self.assertEqual(self.wait_status(), 128 + signal.SIGTERM)
        wait_until(lambda: not running(viewer), "the viewer to end", 3.0)
        wait_until(lambda: not running(viewer_child), "the viewer's own process to end", 3.0)

        screen = pane.wait_for(lambda s: self.AFTER in "\n".join(s.lines()), "the shell after the run")
        self.assertFalse(screen.alternate)
        self.assertTrue(screen.cursor_visible)
        self.assertEqual(self.scratch.read("stty_before.txt"), self.scratch.read("stty_after.txt"),
                         "the terminal modes differ from before the run")
        self.assertTrue(foreground_group_is_own(self.pane.pane_pid()),
                        "the shell does not hold the terminal's foreground")
        self.assert_nothing_written()

    def test_terminal_that_disappears_ends_the_program(self):
        # An edit that was never saved is typed, then the terminal goes away.
        pane, _ = self.start_main_screen()
        self.accept_code_without_saving(pane)
        pid = self.program_pid()
        pane.kill()
        wait_until(lambda: not running(pid), "the program to end after its terminal went away", 3.0)
        self.assert_nothing_written()


for_each_term(TerminalLostOrTaken, globals())
del TerminalLostOrTaken
