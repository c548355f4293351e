#include <gtest/gtest.h>

#include "data/setup_record.h"
#include "dialogs/dialog_walk.h"
#include "dialogs/digit_rows.h"
#include "platform/keys.h"
#include "platform/screen.h"

namespace {

constexpr int ROW0 = 902, ROW1 = 912, SELECTOR = 942, VALUES = 384;

class DigitRows : public DialogWalkTest {
 protected:
  void SetUp() override {
    DialogWalkTest::SetUp();
    const uint8_t rows[20] = {2, 2, 3, 1, 0, 4, 5, 1, 2, 3, 1, 1, 1, 2, 2, 2, 3, 3, 0, 7};  // a stored 7 at the end
    for (int i = 0; i < 20; ++i) original[static_cast<size_t>(ROW0 + i)] = rows[i];
    original[SELECTOR] = 0;
    const uint8_t values[8] = {3, 7, 0, 5, 0xFB, 2, 9, 1};
    for (int i = 0; i < 8; ++i) original[static_cast<size_t>(VALUES + i)] = values[i];
    reset_record();
  }
};

using namespace key;
const Keys TAB_ROW = repeat({TAB}, 9);  // the rest of a digit row after its first position

TEST_F(DigitRows, ChooserAndWalk) {
  const WalkCase cases[] = {
      {"End saves the row choice alone", {DOWN, END}, {{SELECTOR, 1}}, true},
      {"Up on row 0 stays, Esc does nothing, End writes unchanged bytes", {UP, ESC, END}, {}, true},
      {"a stored 7 reads as row 1 and survives End on row 1", {END}, {}, true, 0, {{SELECTOR, 7}}},
      {"from a stored 7, Up chooses row 0", {UP, END}, {{SELECTOR, 0}}, true, 0, {{SELECTOR, 7}}},
      {"Enter, Enter on every position keeps every byte", Keys{ENTER} + repeat({ENTER, ENTER}, 10), {}, true},
      {"Tab on every position stores nothing", Keys{ENTER, TAB} + TAB_ROW, {}, true},
      {"6 rings the bell and keeps the position; 5 is accepted", Keys{ENTER, '6', ENTER, '5', ENTER} + TAB_ROW,
       {{ROW0, 5}}, true, 1},
      {"row 1 is walked when chosen; its stored 7 survives", Keys{DOWN, ENTER, '4', ENTER} + repeat({TAB}, 8) + Keys{ENTER, ENTER},
       {{SELECTOR, 1}, {ROW1, 4}}, true},
      {"Up on position 0 leaves unwritten, the choice kept in memory", {DOWN, ENTER, UP}, {{SELECTOR, 1}}, false},
      {"Esc keeps the digits typed so far unwritten", {ENTER, '3', ENTER, ESC}, {{ROW0, 3}}, false},
      {"Up goes back one position", Keys{ENTER, TAB, UP, '1', ENTER} + TAB_ROW, {{ROW0, 1}}, true},
      {"an emptied position stores 0", Keys{ENTER, ENTER, BACKSPACE, ENTER} + TAB_ROW, {{ROW0, 0}}, true},
  };
  for (const auto& c : cases) run_walk(c, edit_digit_rows);
}

TEST_F(DigitRows, ValueList) {
  const WalkCase cases[] = {
      {"Enter, Enter on every position keeps -5 and every byte", repeat({ENTER, ENTER}, 8), {}, true},
      {"Tab on every position stores nothing", repeat({TAB}, 8), {}, true},
      {"Up on position 0 leaves unwritten", {UP}, {}, false},
      {"Esc keeps the values typed so far unwritten", {'4', ENTER, ESC}, {{VALUES, 4}}, false},
      {"a digit typed over -5", repeat({TAB}, 4) + Keys{'9', ENTER} + repeat({TAB}, 3), {{VALUES + 4, 9}}, true},
      {"-5, brought back as *, emptied stores 0", repeat({TAB}, 4) + Keys{ENTER, BACKSPACE, ENTER} + repeat({TAB}, 3),
       {{VALUES + 4, 0}}, true},
      {"Up goes back one position", Keys{TAB, UP, '6', ENTER} + repeat({TAB}, 7), {{VALUES, 6}}, true},
  };
  for (const auto& c : cases) run_walk(c, edit_value_list);
}

TEST_F(DigitRows, ScreensShowRowsSignedValuesAndThePositionPrompt) {
  console.press({DOWN, END});
  edit_digit_rows();
  EXPECT_EQ(screen_text(20, 3, 35), "0:  2  2  3  1  0  4  5  1  2  3 ");
  EXPECT_EQ(screen_text(21, 3, 35), "1:  1  1  1  2  2  2  3  3  0  7 ");
  EXPECT_EQ(screen_attr(3, 20), original[973]);  // the other row
  EXPECT_EQ(screen_attr(3, 21), original[971]);  // the chosen row

  console.press({TAB, ESC});
  edit_value_list();
  // Position 1 left as the editor ended it; -5 is wider than its column.
  EXPECT_EQ(screen_text(21, 5, 27), "3     0  5  *  2  9  1 ");
  EXPECT_EQ(screen_text(25, 1, 9), "L77 nr.1 ");
  EXPECT_EQ(screen_attr(1, 25), original[1022]);

  // Enter brings -5 back as the * it shows, never running over its neighbours.
  for (int key : repeat({ENTER, ENTER}, 5) + Keys{ESC}) console.press(key);
  edit_value_list();
  EXPECT_EQ(screen_text(21, 5, 27), "3  7  0  5  *     9  1 ");
}

}  // namespace
