#include <gtest/gtest.h>

#include "console/keyboard.h"
#include "console/popup_menu.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

constexpr int X = 3, Y = 6, ATTR = 0x1E;

class PopupMenu : public ConsoleTest {};

struct Case {
  const char* what;
  std::vector<std::string> items;
  int initial;
  std::vector<int> keys;
  int result;
  int bells;
};

TEST_F(PopupMenu, Navigation) {
  const std::vector<std::string> three = {"Title", "&Alpha", "&Beta", "&Gamma"};
  const std::vector<std::string> separated = {"T", "&A", "~", "&B"};
  using namespace key;
  const Case cases[] = {
      {"Enter on the initial entry", three, 2, {ENTER}, 2, 0},
      {"Up on entry 1 wraps to the last", three, 1, {UP, ENTER}, 3, 0},
      {"Down on the last wraps to entry 1", three, 3, {DOWN, ENTER}, 1, 0},
      {"Space moves down", three, 1, {' ', ENTER}, 2, 0},
      {"Down skips a separator", separated, 1, {DOWN, ENTER}, 3, 0},
      {"Up skips a separator", separated, 3, {UP, ENTER}, 1, 0},
      {"a lower-case hotkey chooses at once", three, 1, {'g'}, 3, 0},
      {"Esc cancels quietly", three, 1, {ESC}, POPUP_CANCELLED, 0},
      {"Left cancels", three, 1, {LEFT}, POPUP_CANCELLED, 0},
      {"Right cancels", three, 1, {RIGHT}, POPUP_CANCELLED, 0},
      {"a letter with no entry rings", three, 1, {'z', '5', TAB, ENTER}, 1, 3},
      {"other extended keys are ignored silently", three, 1, {HOME, F1, PGDN, ENTER}, 1, 0},
      {"two entries with one hotkey: the lower wins", {"T", "&Xa", "&Xb"}, 1, {'x'}, 1, 0},
      {"an entry without & has no hotkey", {"T", "Plain", "&Other"}, 2, {'p', ENTER}, 2, 1},
      {"the last mark of a label is its hotkey", {"T", "&A&B", "C"}, 2, {'b'}, 1, 0},
      {"a code page 437 letter is its own hotkey", {"T", "&\x82t\x82", "&\x90"}, 1, {0x90}, 2, 0},
  };
  for (const auto& c : cases) {
    SetUp();
    for (int k : c.keys) console.press(k);
    EXPECT_EQ(popup_menu(8, X, Y, ATTR, c.items, c.initial), c.result) << c.what;
    EXPECT_EQ(console.bells, c.bells) << c.what;
    EXPECT_TRUE(console.keys.empty()) << c.what;
  }
}

TEST_F(PopupMenu, BoxSizeAndAttributes) {
  const std::vector<std::string> items = {"Menu", "&First one", "Se&cond"};  // M = 10
  console.press({key::DOWN, key::ENTER});
  EXPECT_EQ(popup_menu(8, X, Y, ATTR, items, 1), 2);
  // box from column 3 to 3 + 10 + 4, rows 6 to 9
  EXPECT_EQ(screen_text(Y, 3, 3), "\xDA");
  EXPECT_EQ(screen_text(Y, 17, 17), "\xBF");
  EXPECT_EQ(screen_text(Y + 3, 17, 17), "\xD9");
  // entry 1 normal: the & is not shown
  EXPECT_EQ(screen_text(Y + 1, 4, 16), " First one   ");
  EXPECT_EQ(screen_attr(5, Y + 1), 0x1F) << "marked letter: white on the row's background";
  EXPECT_EQ(screen_attr(6, Y + 1), 0x1E);
  // entry 2 highlighted: bar from column x + 1, one column shorter per &
  EXPECT_EQ(screen_text(Y + 2, 4, 16), " Second      ");
  EXPECT_EQ(screen_attr(4, Y + 2), 0x61);
  EXPECT_EQ(screen_attr(7, Y + 2), 0x6F) << "marked letter in the bar";
  EXPECT_EQ(screen_attr(8, Y + 2), 0x61);
  EXPECT_EQ(screen_attr(15, Y + 2), 0x61);
  EXPECT_EQ(screen_attr(16, Y + 2), 0x1E) << "right end of the bar moves left for the &";
}

TEST_F(PopupMenu, BlinkBitIsDroppedFromTheRows) {
  console.press(key::ENTER);
  popup_menu(8, X, Y, 0x9E, {"T", "&Ab"}, 1);
  EXPECT_EQ(screen_attr(4, Y + 1), 0x61);
  EXPECT_EQ(screen_attr(5, Y + 1), 0x6F);
}

TEST_F(PopupMenu, SeparatorIsALineAcrossTheBox) {
  console.press(key::ESC);
  popup_menu(8, X, Y, ATTR, {"T", "&Aaaa", "~x", "&Bb"}, 1);
  EXPECT_EQ(screen_text(Y + 2, 4, 10), std::string(7, '\xC4'));
}

TEST_F(PopupMenu, HelpKeyRestoresAndRedrawsTheBar) {
  help_overlay("readme nolvex.hlp");
  console.during_command = [] { clrscr(); };
  console.press({0x7500, key::ENTER});
  EXPECT_EQ(popup_menu(8, X, Y, ATTR, {"T", "&Ab", "&Cd"}, 2), 2);
  EXPECT_EQ(console.commands.size(), 1u);
  EXPECT_EQ(screen_text(Y + 1, 4, 8), " Ab  ");
}

}  // namespace
