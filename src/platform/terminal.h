// The terminal back end: raw mode over termios, the alternate screen, our own
// writer and key decoder. Every way out of the process (normal exit, any
// signal whose default action ends it, a lost terminal) restores the
// terminal, and ends a child command that still runs.
#pragma once
#include "platform/backend.h"

// Whether there is a terminal that can show the screen: false, with a line
// on stderr, when standard input or output is no terminal, or $TERM is
// unset, unknown to terminfo or cannot address the cursor. Checked at start,
// before any file is opened.
bool terminal_usable() noexcept;
// Takes over the controlling terminal on stdin/stdout. Returns nullptr, with
// a message on stderr, when there is no terminal to take over.
ConsoleBackend* terminal_open() noexcept;
// Restores the terminal (attributes, cursor, main screen, cooked mode) and
// drains pending input. Safe to call more than once.
void terminal_close() noexcept;
// Called from the signal path before the process ends; must be
// async-signal-safe (close(2), not fclose).
void terminal_on_fatal_signal(void (*hook)() noexcept) noexcept;
