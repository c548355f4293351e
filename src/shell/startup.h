// Start-up up to the first drawing: arguments, the terminal's TERM, the
// company file (locked) and its setup record, the catalogue. Nothing is
// drawn and nothing is written before both files are open; a failure says
// why on stderr.
#pragma once
#include "platform/terminal.h"

constexpr int STATUS_USAGE = 255;     // too few or too long arguments
constexpr int STATUS_NO_FILE = 1;     // a file cannot be opened or is locked, or no usable terminal
constexpr const char* SERVICE_CODE = "tuvak";
constexpr const char* HELP_COMMAND = "readme nolvex.hlp";

// 0 when the program may go on to draw, else the exit status to end with.
// The terminal is checked (terminal_usable, or what tests pass instead)
// before the company file is opened.
int start_up(int argc, const char* const* argv, bool (*terminal_check)() noexcept = terminal_usable) noexcept;
// Clears the screen in the background colour and draws header and frame.
void draw_main_screen() noexcept;
