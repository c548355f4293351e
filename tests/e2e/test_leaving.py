"""Every way out of the running program gives the terminal back as it was:
main screen, cursor shown, cooked mode, and the company file as saved."""
import os
import signal

from program import ProgramCase, for_each_term


class Leaving(ProgramCase):

    def leave_with_key(self, *keys):
        pane, _ = self.start_main_screen()
        pane.send(*keys)
        self.assertEqual(self.wait_status(), 0)
        self.assert_terminal_restored(pane)
        self.assert_nothing_written()

    def test_key_0_ends_with_status_0(self):
        self.leave_with_key("0")

    def test_ctrl_c_in_menu_bar_ends_with_status_0(self):
        self.leave_with_key("C-c")

    def test_key_0_from_page_2_after_moving(self):
        # The exit key works wherever the bar stands.
        self.leave_with_key("Left", "Down", "0")

    def end_with_signal(self, sig):
        pane, _ = self.start_main_screen()
        os.kill(self.program_pid(), sig)
        self.assertEqual(self.wait_status(), 128 + sig)
        self.assert_terminal_restored(pane)
        self.assert_nothing_written()

    def test_sigterm_while_menu_bar_waits(self):
        self.end_with_signal(signal.SIGTERM)

    def test_sighup_while_menu_bar_waits(self):
        self.end_with_signal(signal.SIGHUP)

    def test_sigterm_inside_a_dialog_writes_nothing_unsaved(self):
        # A code accepted in the currency table lives only in memory until the
        # table is completed; a signal must not write it.
        pane, _ = self.start_main_screen()
        self.accept_code_without_saving(pane)
        os.kill(self.program_pid(), signal.SIGTERM)
        self.assertEqual(self.wait_status(), 128 + signal.SIGTERM)
        self.assert_terminal_restored(pane)
        self.assert_nothing_written()


for_each_term(Leaving, globals())
