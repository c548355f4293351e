// How the program talks to the terminal it runs in: the colour depth, the
// character set, how keys arrive, and the bytes that take the terminal over
// and give it back. Decided once at start from the terminfo entry and the
// environment; pure, so that any TERM can be tried without a terminal.
#pragma once
#include <string>

#include "platform/term_writer.h"
#include "platform/terminfo.h"

// The Linux console as KDGKBMODE tells it: not one (or not ours to ask),
// one whose keyboard is in UTF-8 mode, or one in an 8-bit mode.
enum class Console { NONE, UNICODE, EIGHT_BIT };

struct TerminalEnvironment {
  const char* term = nullptr;         // TERM
  const char* colorterm = nullptr;    // COLORTERM
  const char* colours = nullptr;      // SETUPEDIT_COLOURS
  const char* no_utf8_acs = nullptr;  // NCURSES_NO_UTF8_ACS
  bool locale_utf8 = false;
  Console console = Console::NONE;
};

struct TerminalProfile {
  // Why TERM cannot show the screen ("is unknown to terminfo" ...), or
  // nullptr when it can.
  const char* refusal = nullptr;
  bool colours_known = true;  // SETUPEDIT_COLOURS is unset or a value we take
  WriterOptions writer;
  bool utf8_input = true;
  bool meta_sets_bit7 = false;  // a high byte is Alt with the key of the low bits
  std::string enter;            // raw mode's first bytes
  std::string leave;            // the bytes that restore the terminal
};

TerminalProfile terminal_profile(const TerminfoEntry& entry, const TerminalEnvironment& env) noexcept;

// The environment variables and locale of this process; console asks the
// terminal on fd.
TerminalEnvironment terminal_environment(int fd) noexcept;

// The values SETUPEDIT_COLOURS takes, for messages.
constexpr const char* COLOUR_CHOICES = "8, 16, 256, truecolor or mono";
