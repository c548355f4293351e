// Running a command line while the terminal is handed back to it.
#pragma once

// Runs command_line through /bin/sh -c and waits for it. Returns its exit
// status, 128+signal when a signal ended it, -1 when it could not start.
// The caller restores the terminal before and takes it back after. When the
// status is not 0, what the command printed is held on the screen under a
// line asking for a key, and the call returns once a key is pressed.
int run_shell_command(const char* command_line) noexcept;
