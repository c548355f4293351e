#include <gtest/gtest.h>

#include "data/setup_record.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/main_loop.h"
#include "shell/menu_bar.h"
#include "shell/session.h"
#include "support/test_support.h"

namespace {

constexpr int NORMAL = 0x17, HOTKEY = 0x1E, CURSOR = 0x30, CURSOR_HOTKEY = 0x3E;
constexpr int SELECTED = 0x40, SELECTED_HOTKEY = 0x4E, RESTORE = 0x07, BACKGROUND = 0x08;

class MenuBar : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    SetupRecord& r = setup_record();
    r[961] = NORMAL;
    r[963] = HOTKEY;
    r[965] = CURSOR;
    r[966] = CURSOR_HOTKEY;
    r[967] = SELECTED;
    r[968] = SELECTED_HOTKEY;
    r[960] = RESTORE;
    r[1010] = BACKGROUND;
    use_catalogue({"Title", "Heading", "Printers", "Options", "Setup file", "Digits", "Protected", "Currencies",
                   "Values", "Flags", "Aux params", "Colours", "Service line", "hint 13"});
  }
  static int column_of(int item) { return ((item - 1) % 6) * 13 + 3; }
};

struct Case {
  const char* what;
  std::vector<int> keys;
  int result;
  int item;
  int page_first;
  int bells;
};

TEST_F(MenuBar, Navigation) {
  const int L = key::LEFT, R = key::RIGHT, U = key::UP, D = key::DOWN;
  const Case cases[] = {
      {"Enter chooses item 1", {key::ENTER}, 1, 1, 1, 0},
      {"Line Feed works as Enter", {key::LINE_FEED}, 1, 1, 1, 0},
      {"Left on item 1 wraps to 12", {L, key::ENTER}, 12, 12, 7, 0},
      {"Right on 12 wraps to 1", {L, R, key::ENTER}, 1, 1, 1, 0},
      {"Right on 6 shows page 2", {R, R, R, R, R, R, key::ENTER}, 7, 7, 7, 0},
      {"Left on 7 shows page 1", {D, L, key::ENTER}, 6, 6, 1, 0},  // Down on 1 is item 7
      {"Up on 3 goes to 9", {R, R, U, key::ENTER}, 9, 9, 7, 0},
      {"Down on 9 goes back to 3", {R, R, U, D, key::ENTER}, 3, 3, 1, 0},
      {"digit 8 chooses at once", {'8'}, 8, 8, 7, 0},
      {"hotkey of page 2 from page 1", {'v'}, 8, 8, 7, 0},
      {"capital hotkey", {'C'}, 7, 7, 7, 0},
      {"two items share P: the lower wins", {'p'}, 2, 2, 1, 0},
      {"a letter without an item rings", {'z', key::ENTER}, 1, 1, 1, 1},
      {"Esc, Tab, Backspace, space ring", {key::ESC, key::TAB, key::BACKSPACE, ' ', key::ENTER}, 1, 1, 1, 4},
      {"0 leaves", {'0'}, 0, 1, 1, 0},
      {"Ctrl+C rings and leaves", {key::CTRL_C}, 0, 1, 1, 1},
      {"other extended keys redraw quietly", {key::HOME, key::F1, key::ENTER}, 1, 1, 1, 0},
      {"Del is no choice", {0x5300, key::ENTER}, 1, 1, 1, 0},
      {"Alt keys are ignored", {key::ALT_OTHER, key::extended(0x1C), key::ENTER}, 1, 1, 1, 0},
      {"a paste is ignored", {key::pasted('r'), key::pasted('2'), R, key::ENTER}, 2, 2, 1, 0},
  };
  for (const auto& c : cases) {
    SetUp();
    for (int k : c.keys) console.press(k);
    EXPECT_EQ(menu_bar(), c.result) << c.what;
    EXPECT_EQ(menu_item(), c.item) << c.what;
    EXPECT_EQ(menu_page_first(), c.page_first) << c.what;
    EXPECT_EQ(console.bells, c.bells) << c.what;
    EXPECT_TRUE(console.keys.empty()) << c.what;
  }
}

TEST_F(MenuBar, FirstPageWithItemOneUnderTheCursor) {
  console.press('0');
  menu_bar();
  EXPECT_EQ(screen_text(2, 3, 80), "Heading      Printers     Options      Setup file   Digits       Protected    ");
  EXPECT_EQ(screen_attr(3, 2), CURSOR_HOTKEY);
  EXPECT_EQ(screen_attr(4, 2), CURSOR);
  EXPECT_EQ(screen_attr(14, 2), CURSOR) << "the 12-column place is padded in the item's colours";
  EXPECT_EQ(screen_attr(16, 2), HOTKEY);
  EXPECT_EQ(screen_attr(17, 2), NORMAL);
  EXPECT_EQ(current_attr(), BACKGROUND) << "key 0 leaves the background attribute current";
}

TEST_F(MenuBar, ChosenItemStaysSelected) {
  console.press('9');
  EXPECT_EQ(menu_bar(), 9);
  EXPECT_EQ(screen_text(2, 29, 40), "Flags       ");
  EXPECT_EQ(screen_attr(29, 2), SELECTED_HOTKEY);
  EXPECT_EQ(screen_attr(30, 2), SELECTED);
  EXPECT_EQ(screen_attr(3, 2), HOTKEY);
  EXPECT_EQ(current_attr(), RESTORE);
}

TEST_F(MenuBar, ReopensOnTheLastItemInCursorState) {
  console.press({'4', '0'});
  EXPECT_EQ(menu_bar(), 4);
  menu_bar();
  EXPECT_EQ(screen_attr(column_of(4) + 1, 2), CURSOR);
}

TEST_F(MenuBar, EmptyItemsStillTakeTheirHotkeyColumn) {
  use_catalogue({"Only a title"});
  console.press('0');
  menu_bar();
  std::string place = std::string(1, '\0') + std::string(12, ' ');  // the zero byte shows as a blank
  std::string row;
  for (int i = 0; i < 6; ++i) row += place;
  EXPECT_EQ(screen_text(2, 3, 80), row);
  EXPECT_EQ(screen_attr(3, 2), CURSOR_HOTKEY);
  EXPECT_EQ(screen_attr(16, 2), HOTKEY);
  EXPECT_EQ(screen_attr(17, 2), NORMAL);
}

TEST_F(MenuBar, LongItemTextRunsIntoTheNextPlace) {
  use_catalogue({"Title", "A very long item", "B", "C", "D", "E", "F"});
  console.press('0');
  menu_bar();
  EXPECT_EQ(screen_text(2, 3, 19), "A very long item ");
}

TEST_F(MenuBar, MainLoopHintsAndGatesTheServiceItem) {
  static int calls[13];
  std::fill(std::begin(calls), std::end(calls), 0);
  DialogTable table{};
  table[7] = [] { ++calls[7]; };
  table[12] = [] { ++calls[12]; };
  setup_record()[1022] = 0x70;
  session().service_mode = false;
  console.press('7');
  EXPECT_TRUE(main_loop_step(table));
  EXPECT_EQ(calls[7], 1);
  EXPECT_EQ(screen_text(25, 1, 40), std::string(40, ' ')) << "the hint is cleared before the dialog";
  console.press({key::LEFT, key::ENTER});  // item 6, which has no dialog
  EXPECT_TRUE(main_loop_step(table));
  console.press('0');
  EXPECT_FALSE(main_loop_step(table));

  for (bool service : {false, true}) {
    session().service_mode = service;
    console.press({key::LEFT, key::ENTER});
    reset_menu_bar();
    EXPECT_TRUE(main_loop_step(table));
    EXPECT_EQ(calls[12], service ? 1 : 0);
  }
}

}  // namespace
