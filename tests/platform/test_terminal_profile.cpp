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
  bool console_unicode;
  // expected
  const char* refusal;  // part of the reason, nullptr: usable
  int depth;
  bool utf8, utf8_lines, meta_bit7;
  const char* keypad;  // the bytes before the alternate screen is entered
};

constexpr const char* ALT_SCREEN = "\x1b[?1049h";
constexpr bool U = true, N = false;

TEST(TerminalProfile, ModeAndSequencesFollowTerminfoAndEnvironment) {
  const TermCase cases[] = {
      {"xterm-256color", nullptr, nullptr, U, N, nullptr, 256, U, N, N, "\x1b[?1h\x1b>"},
      {"xterm-256color", "truecolor", nullptr, U, N, nullptr, TRUECOLOR, U, N, N, "\x1b[?1h\x1b>"},
      {"xterm", "24bit", nullptr, N, N, nullptr, TRUECOLOR, N, N, U, "\x1b[?1h\x1b>"},
      {"xterm", nullptr, nullptr, N, N, nullptr, 8, N, N, U, "\x1b[?1h\x1b>"},
      // GNU screen passes COLORTERM on but cannot show 24-bit colour
      {"screen-256color", "truecolor", nullptr, U, N, nullptr, 256, U, N, N, "\x1b[?1h\x1b>"},
      {"screen", "truecolor", nullptr, N, N, nullptr, 8, N, N, U, "\x1b[?1h\x1b>"},
      {"tmux-256color", "truecolor", nullptr, U, N, nullptr, TRUECOLOR, U, N, N, "\x1b[?1h\x1b>"},
      {"rxvt-unicode-256color", nullptr, nullptr, U, N, nullptr, 256, U, N, N, "\x1b>"},
      {"rxvt-unicode", nullptr, nullptr, N, N, nullptr, 16, N, N, U, "\x1b>"},
      {"linux", nullptr, nullptr, N, U, nullptr, 8, U, N, N, ""},
      {"linux", nullptr, nullptr, N, N, nullptr, 8, N, N, N, ""},
      {"vt100", nullptr, nullptr, U, N, nullptr, MONOCHROME, U, N, N, "\x1b[?1h\x1b>"},
      {"xterm-256color", nullptr, "mono", N, N, nullptr, MONOCHROME, N, N, U, "\x1b[?1h\x1b>"},
      {"vt100", nullptr, "16", N, N, nullptr, 16, N, N, N, "\x1b[?1h\x1b>"},
      {"xterm", "truecolor", "8", N, N, nullptr, 8, N, N, U, "\x1b[?1h\x1b>"},
      {"xterm", nullptr, "256", N, N, nullptr, 256, N, N, U, "\x1b[?1h\x1b>"},
      {"screen-256color", nullptr, "truecolor", U, N, nullptr, TRUECOLOR, U, N, N, "\x1b[?1h\x1b>"},
      {"xterm-256color", nullptr, "", U, N, nullptr, 256, U, N, N, "\x1b[?1h\x1b>"},
      {"vt52", nullptr, nullptr, U, N, "ANSI", MONOCHROME, U, N, N, ""},
      {"no-such-terminal", nullptr, nullptr, U, N, "unknown", MONOCHROME, U, N, N, ""},
      {"", nullptr, nullptr, U, N, "not set", MONOCHROME, U, N, N, ""},
  };
  for (const TermCase& c : cases) {
    SCOPED_TRACE(std::string("TERM=") + c.term + " COLORTERM=" + (c.colorterm ? c.colorterm : "-") +
                 " SETUPEDIT_COLOURS=" + (c.colours ? c.colours : "-") + (c.locale_utf8 ? " UTF-8" : " C") +
                 (c.console_unicode ? " console in UTF-8" : ""));
    const TerminfoEntry entry = terminfo_load(STDOUT_FILENO, *c.term ? c.term : "no-such-terminal");
    TerminalEnvironment env;
    env.term = c.term;
    env.colorterm = c.colorterm;
    env.colours = c.colours;
    env.locale_utf8 = c.locale_utf8;
    env.console_unicode = c.console_unicode;
    const TerminalProfile p = terminal_profile(entry, env);
    if (c.refusal) {
      ASSERT_NE(p.refusal, nullptr);
      EXPECT_NE(std::string(p.refusal).find(c.refusal), std::string::npos) << p.refusal;
      continue;
    }
    ASSERT_EQ(p.refusal, nullptr) << p.refusal;
    EXPECT_EQ(p.writer.colours, c.depth);
    EXPECT_EQ(p.writer.utf8, c.utf8);
    EXPECT_EQ(p.utf8_input, c.utf8);
    EXPECT_EQ(p.writer.utf8_lines, c.utf8_lines);
    EXPECT_EQ(p.meta_sets_bit7, c.meta_bit7);
    EXPECT_EQ(p.enter.substr(0, p.enter.find(ALT_SCREEN)), c.keypad);
    EXPECT_NE(p.enter.find("\x1b[?1036h"), std::string::npos) << "Meta is not asked to send Esc";
    EXPECT_NE(p.leave.find("\x1b[?1036r"), std::string::npos) << "Meta's setting is not given back";
  }
}

TEST(TerminalProfile, UnknownColourChoiceIsRefusedAndNoUtf8AcsDrawsLines) {
  const TerminfoEntry xterm = terminfo_load(STDOUT_FILENO, "xterm");
  for (const char* value : {"lots", "MONO", "24bit", "0"}) {
    TerminalEnvironment env;
    env.term = "xterm";
    env.colours = value;
    EXPECT_FALSE(terminal_profile(xterm, env).colours_known) << value;
  }
  TerminalEnvironment env;
  env.term = "xterm";
  for (const char* value : {"1", "yes"}) {
    env.no_utf8_acs = value;
    EXPECT_TRUE(terminal_profile(xterm, env).writer.utf8_lines) << value;
  }
  env.no_utf8_acs = "0";
  EXPECT_FALSE(terminal_profile(xterm, env).writer.utf8_lines);
}

}  // namespace
