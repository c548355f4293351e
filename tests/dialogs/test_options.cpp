#include <gtest/gtest.h>


#include "data/company_file.h"
#include "data/setup_record.h"
#include "dialogs/dialog_walk.h"
#include "dialogs/digit_rows.h"
#include "dialogs/options.h"
#include "platform/keys.h"
#include "platform/screen.h"

namespace {

constexpr int FLAGS = 946, TEXT = 922, FORMATS = 947;
const std::string TEXT20 = "FERRAMENTA BRUNI SRL";

class Options : public DialogWalkTest {
 protected:
  void SetUp() override {
    DialogWalkTest::SetUp();
    original[FLAGS] = 0xE5;  // bits 5-7 set: carried, never shown
    set_text(original, field::short_text, TEXT20);
    const uint8_t formats[] = {0x35, 0xC3, 0x72, 0x30};  // 0xC3: a high digit of 12
    for (int i = 0; i < 4; ++i) original[static_cast<size_t>(FORMATS + i)] = formats[i];
    reset_record();
  }
};

Patches text_bytes(const std::string& text) { return {{TEXT, text + std::string(20 - text.size(), '\0')}}; }

using namespace key;
const Keys ACCEPT_DIGITS = repeat({TAB}, 8);

TEST_F(Options, Walks) {
  const WalkCase cases[] = {
      {"Enter, Enter through every field keeps every byte", Keys{ENTER} + repeat({ENTER, ENTER}, 9), {}, true},
      {"Tab past fields that open empty stores nothing", Keys{ENTER, TAB} + ACCEPT_DIGITS, {}, true},
      {"Esc in the check boxes discards the toggles", {SPACE, DOWN, SPACE, ESC}, {}, false},
      {"Up from bit 0 wraps to bit 4; Esc in the text keeps the flags unwritten", {SPACE, UP, SPACE, ENTER, 'x', ESC},
       {{FLAGS, 0xF4}}, false},
      {"typing 7 into digit 2", Keys{ENTER, TAB, TAB, '7', ENTER} + repeat({TAB}, 6), {{FORMATS, 0x37}}, true},
      {"an emptied digit 1 stores 0", Keys{ENTER, TAB, ENTER, BACKSPACE, ENTER} + repeat({TAB}, 7), {{FORMATS, 0x05}},
       true},
      {"a digit replaces the high 12 and keeps the low digit", Keys{ENTER, TAB, TAB, TAB, '4', ENTER} + repeat({TAB}, 5),
       {{FORMATS + 1, 0x43}}, true},
      {"a 20-character text has no terminator", Keys{ENTER} + text_keys("ABCDEFGHIJKLMNOPQRST") + Keys{ENTER} + ACCEPT_DIGITS,
       text_bytes("ABCDEFGHIJKLMNOPQRST"), true},
      {"a shorter text is zero-filled", Keys{ENTER} + text_keys("Short") + Keys{ENTER} + ACCEPT_DIGITS,
       text_bytes("Short"), true},
      {"a text taken over as it is keeps the bytes after its terminator",
       Keys{ENTER} + repeat({ENTER, ENTER}, 9), {}, true, 0, {{TEXT + 2, 0}}},
      {"an emptied text keeps the old one", Keys{ENTER, ENTER, CTRL_X, ENTER} + ACCEPT_DIGITS, {}, true},
      {"Up on the text edits the stored flags again", Keys{SPACE, ENTER, UP, DOWN, SPACE, ENTER, TAB} + ACCEPT_DIGITS,
       {{FLAGS, 0xE6}}, true},
      {"Up on digit 1 goes to the text, Up on digit 5 to digit 4",
       Keys{ENTER, TAB, UP, 'Q', ENTER, TAB, TAB, TAB, TAB, UP, '9', ENTER} + repeat({TAB}, 4),
       text_bytes("Q") + Patches{{FORMATS + 1, 0xC9}}, true},
      {"Esc on a digit keeps earlier digits unwritten", Keys{ENTER, TAB, '8', ENTER} + repeat({TAB}, 6) + Keys{ESC},
       {{FORMATS, 0x85}}, false},
  };
  for (const auto& c : cases) run_walk(c, edit_options);
}

TEST_F(Options, ScreenShowsFlagsTextAndDigitsAboveNine) {
  console.press(ESC);
  edit_options();
  const std::pair<int, std::string> rows[] = {
      {7, "[X] L121"}, {8, "[ ] L122"}, {9, "[X] L123"}, {11, "[ ] L125"}};
  for (const auto& [y, text] : rows) EXPECT_EQ(screen_text(y, 22, 21 + static_cast<int>(text.size())), text) << y;
  EXPECT_EQ(screen_text(12, 36, 40), " L90 ");  // centred on the dividers
  EXPECT_EQ(screen_text(14, 36, 40), " L31 ");
  EXPECT_EQ(screen_text(13, 28, 47), TEXT20);
  EXPECT_EQ(screen_text(15, 23, 52), "3nnnn   5nnnn   12nnnn  3nnnn ");
  EXPECT_EQ(screen_text(16, 23, 51), "7nnnn   2nnnn   3nnnn   0nnnn");
  EXPECT_EQ(screen_attr(28, 13), original[970]);
}

TEST_F(Options, AFailedSaveIsShownByEachDialog) {
  const std::pair<void (*)(), Keys> cases[] = {
      {edit_options, Keys{ENTER, TAB} + ACCEPT_DIGITS}, {edit_digit_rows, {END}}, {edit_value_list, repeat({TAB}, 8)}};
  close_company_file();
  if (open_company_file("/dev/full") != 0) GTEST_SKIP() << "no /dev/full here";
  const std::string reason = "Record not saved: disk full";
  for (const auto& [dialog, keys] : cases) {
    MessageSpy spy;
    set_console_backend(&spy);
    for (int k : keys) spy.press(k);
    dialog();
    EXPECT_EQ(spy.shown.substr(0, reason.size()), reason);
    EXPECT_EQ(spy.bells, 1);
    EXPECT_TRUE(spy.keys.empty());
  }
  set_console_backend(&console);
}

}  // namespace
