// What the program makes of a terminal: TERM's real terminfo entry and the
// environment in, colour depth, character set, key handling and the bytes
// that take the terminal over out.
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/term_writer_sgr.h"
#include "platform/terminal_profile.h"
#include "platform/terminfo.h"

namespace {

struct TermCase {
  const char* term;
  const char* colorterm;
  const char* colours;  // SETUPEDIT_COLOURS
  bool locale_utf8;
  Console console;
  // expected
  const char* refusal;  // part of the reason, nullptr: usable
  int depth;            // REFUSED: SETUPEDIT_COLOURS is refused
  bool utf8, utf8_lines, meta_bit7;
  const char* keypad;  // the bytes before the alternate screen is entered
  const char* no_utf8_acs = nullptr;
};

constexpr const char* ALT_SCREEN = "\x1b[?1049h";
constexpr const char* XTERM_KEYPAD = "\x1b[?1h\x1b>";  // cursor keys application, keypad numeric
constexpr bool U = true, N = false;
constexpr Console PTY = Console::NONE, VT_UTF8 = Console::UNICODE, VT_8BIT = Console::EIGHT_BIT;
constexpr int REFUSED = -1;

TEST(TerminalProfile, ModeAndSequencesFollowTerminfoAndEnvironment) {
  const TermCase cases[] = {
      {"xterm-256color", "truecolor", nullptr, U, PTY, nullptr, TRUECOLOR, U, N, N, XTERM_KEYPAD},
      {"xterm", "24bit", nullptr, N, PTY, nullptr, TRUECOLOR, N, N, U, XTERM_KEYPAD},
      {"xterm", nullptr, nullptr, N, PTY, nullptr, 8, N, U, U, XTERM_KEYPAD, "1"},
      // GNU screen passes COLORTERM on but cannot show 24-bit colour
      {"screen-256color", "truecolor", nullptr, U, PTY, nullptr, 256, U, N, N, XTERM_KEYPAD},
      {"tmux-256color", "truecolor", nullptr, N, PTY, nullptr, TRUECOLOR, N, N, U, XTERM_KEYPAD, "0"},  // U8, but tmux draws the set
      {"rxvt-unicode-256color", nullptr, nullptr, U, PTY, nullptr, 256, U, N, N, "\x1b>"},
      {"linux", nullptr, nullptr, N, VT_UTF8, nullptr, 8, U, N, N, ""},
      {"linux", nullptr, nullptr, N, VT_8BIT, nullptr, 8, N, N, N, ""},
      {"linux", nullptr, nullptr, N, PTY, nullptr, 8, N, U, N, ""},  // e.g. over ssh
      {"vt100", nullptr, nullptr, U, PTY, nullptr, MONOCHROME, U, N, N, XTERM_KEYPAD},
      {"xterm-256color", nullptr, "mono", N, PTY, nullptr, MONOCHROME, N, N, U, XTERM_KEYPAD},
      {"xterm", "truecolor", "8", N, PTY, nullptr, 8, N, N, U, XTERM_KEYPAD},
      {"xterm-256color", nullptr, "MONO", U, PTY, nullptr, REFUSED, U, N, N, XTERM_KEYPAD},
      {"vt52", nullptr, nullptr, U, PTY, "ANSI", 0, U, N, N, ""},
  };
  for (const TermCase& c : cases) {
    SCOPED_TRACE(std::string(c.term) + " " + (c.colorterm ? c.colorterm : "-") + " " + (c.colours ? c.colours : "-"));
    const TerminfoEntry entry = terminfo_load(STDOUT_FILENO, c.term);
    const TerminalEnvironment env{c.term, c.colorterm, c.colours, c.no_utf8_acs, c.locale_utf8, c.console};
    const TerminalProfile p = terminal_profile(entry, env);
    if (c.refusal) {
      ASSERT_NE(p.refusal, nullptr);
      EXPECT_NE(std::string(p.refusal).find(c.refusal), std::string::npos) << p.refusal;
      continue;
    }
    ASSERT_EQ(p.refusal, nullptr) << p.refusal;
    EXPECT_EQ(p.colours_known, c.depth != REFUSED);
    EXPECT_EQ(p.writer.colours, c.depth == REFUSED ? p.writer.colours : c.depth);
    EXPECT_EQ(p.writer.utf8, c.utf8);
    EXPECT_EQ(p.utf8_input, c.utf8);
    EXPECT_EQ(p.writer.utf8_lines, c.utf8_lines);
    EXPECT_EQ(p.meta_sets_bit7, c.meta_bit7);
    EXPECT_EQ(p.enter.substr(0, p.enter.find(ALT_SCREEN)), c.keypad);
    EXPECT_TRUE(p.enter.ends_with("\x1b[?1036h") && p.leave.find("\x1b[?1036r") != std::string::npos)
        << "Meta as Esc is not asked for, or its setting not given back";
  }
}

}  // namespace
