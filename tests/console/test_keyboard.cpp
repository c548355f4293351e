#include <gtest/gtest.h>

#include "console/keyboard.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

class Keyboard : public ConsoleTest {};

TEST_F(Keyboard, ExtendedKeysBecomeKeyCodes) {
  struct Case {
    int scan, code;
  };
  const Case cases[] = {{0x53, 127},       {0x49, 0x4900}, {0x93, 0x9300}, {0x48, 0x4800},
                        {0x3B, 0x3B00},    {0x8C, 0x8C00}, {0x54, 0x5400}, {0x71, 0x7100},
                        {0x73, 0x7300}};
  for (const auto& c : cases) {
    console.keys.push_back(0);
    console.keys.push_back(c.scan);
    EXPECT_EQ(getch(), 0);
    EXPECT_EQ(read_key_ext(), c.code) << std::hex << c.scan;
  }
}

TEST_F(Keyboard, HighCharactersArriveAsNegativeBytes) {
  console.press(0x85);
  EXPECT_EQ(read_key(), -123);
}

TEST_F(Keyboard, HelpKeyRunsTheStoredCommandAndRestoresScreenAndCursor) {
  textattr(0x1E);
  gotoxy(1, 1);
  cputs("before the help");
  gotoxy(7, 9);
  const Grid before = screen_grid();
  help_overlay("readme nolvex.hlp");
  help_overlay("something else");  // does not replace the stored command: it runs it
  console.during_command = [] {
    textattr(0x4F);
    clrscr();
    cputs("help text");
  };
  console.press(0x7500);
  EXPECT_EQ(read_key(), key::HELP_DONE);
  ASSERT_EQ(console.commands.size(), 2u);
  EXPECT_EQ(console.commands[0], "readme nolvex.hlp");
  EXPECT_EQ(console.commands[1], "readme nolvex.hlp");
  EXPECT_TRUE(screen_grid() == before) << "cells and cursor restored";
  EXPECT_EQ(current_attr(), 0x4F) << "the overlay does not touch the current attribute";
}

TEST_F(Keyboard, HelpKeyWithoutCommandDoesNothingButReportsZero) {
  help_overlay("");
  console.press(0x7500);
  EXPECT_EQ(read_key(), key::HELP_DONE);
  EXPECT_TRUE(console.commands.empty());
}

}  // namespace
