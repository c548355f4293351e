// The keyboard layer: completes extended keys into KeyCodes and runs the one
// global key, the help key (Ctrl+End), which shows the help command's output
// over the whole screen and puts the screen and cursor back afterwards.
#pragma once
#include <string>

#include "platform/keys.h"

// Called after getch() returned 0: reads the scan code and returns its
// KeyCode. Del becomes 127; the help key runs the help overlay and gives 0.
int read_key_ext() noexcept;
// A plain key, or an extended one completed by read_key_ext.
int read_key() noexcept;
// The first call with a non-empty command stores it; later calls run it.
void help_overlay(const std::string& command) noexcept;
// Forgets the stored help command (tests).
void reset_help_command() noexcept;
