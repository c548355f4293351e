// Raw mode and every way back out of it. The bytes that leave our screen are
// kept ready in a plain buffer so that a signal handler restores the
// terminal with write(2) and tcsetattr alone.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>

// Saves the terminal's modes, keeps the bytes that enter (enter) and leave
// (leave) our screen, installs the signal handlers, then enters raw mode and
// writes enter. False when stdin's terminal modes cannot be read.
bool terminal_mode_start(const std::string& enter, const std::string& leave) noexcept;
// The saved modes and the main screen again, e.g. while a child runs.
void terminal_mode_suspend() noexcept;
// Raw mode and our screen again.
void terminal_mode_resume() noexcept;
// The final restore: suspend, then drop input nobody will read. Safe to call
// more than once.
void terminal_mode_stop() noexcept;
// Called on the signal path after the terminal is restored.
void terminal_mode_set_hook(void (*hook)() noexcept) noexcept;
// Read end of the self-pipe: 'w' arrives after SIGWINCH, 'c' after SIGCONT.
int terminal_mode_wake_fd() noexcept;
// Forks the child that runs a command: it gets a process group of its own
// and the terminal's foreground, so that a signal which ends us can end it
// (and all it started) too. Returns as fork does; in the child the signals
// we handle are back to their defaults and nothing is blocked.
pid_t terminal_mode_fork_child() noexcept;
// After the child has been waited for: the terminal's foreground is ours again.
void terminal_mode_child_done() noexcept;
// Writes all of bytes to fd, waiting where fd is non-blocking and full (the
// terminal is shared with other programs, which may have set O_NONBLOCK).
// Async-signal-safe. False when fd fails (e.g. the terminal is gone).
bool terminal_write_all(int fd, const char* bytes, size_t length) noexcept;
