#include <gtest/gtest.h>

#include <algorithm>

#include "data/company_file.h"
#include "dialogs/palettes.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/header.h"
#include "support/test_support.h"

namespace {

constexpr int PALETTE = 960, KIND = 955, CTRL_Y = 25, CTRL_BACKSLASH = 28;

// Keeps the grid shown while the last scripted key was awaited, and the
// message shown when a save fails.
struct Spy : MessageSpy {
  Grid last;
  void present(const Grid& grid) noexcept override {
    if (keys.size() == 1) last = grid;
  }
  const Cell& cell(int x, int y) const { return last.cells[y - 1][x - 1]; }
};

class Palettes : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    reset_palettes();
    use_catalogue_with_line_81("~");
    set_console_backend(&spy);
  }
  void use_catalogue_with_line_81(const std::string& line) {
    std::vector<std::string> lines(140, "L");
    const char* colour_lines[] = {"Colours", "&Mono", "Colour &preset", "",      "&Menus",
                                  "Main &frame", "&Ledger", "&Screen", "Choose"};
    for (int i = 0; i < 9; ++i) lines[78 + static_cast<size_t>(i)] = colour_lines[i];
    lines[81] = line;
    use_catalogue(lines);
  }
  void set_slot(int g, int s, uint8_t v) {
    original[static_cast<size_t>(PALETTE + 16 * g + s)] = v;
    reset_record();
  }
  Spy spy;
};

TEST_F(Palettes, PresetsWriteEverySlotAndTheKindAtOnce) {
  std::string white_on_black;
  for (int i = 0; i < 64; ++i) white_on_black += "0f";
  const struct {
    int hotkey;
    std::string slots;  // hex, group 0 first
    const char* kind;
  } cases[] = {
      {'M', white_on_black, "01"},
      {'P', "0230603f727a7f4e4f0e711f702f740f024f1f4e2e4335403f726261636e6f5f"
            "02041f0e610f0f415131715e3e345074020102030405060708090a0b0c0d0e0f", "02"},
  };
  for (const auto& c : cases) {
    reset_record();
    setup_record()[100] ^= 0xFF;  // a change still in memory goes out with the preset
    draw_header();
    draw_main_frame();
    gotoxy(5, 2);
    putch('Q');  // marks in the header box and the main frame, away from the menu
    gotoxy(79, 23);
    putch('Q');
    spy.press(c.hotkey);
    edit_palettes();
    EXPECT_EQ(screen_text(2, 5, 5) + screen_text(23, 79, 79), "QQ") << "a preset redraws nothing";
    SetupRecord expected = original;
    expected[100] ^= 0xFF;
    const std::string want = hex(bytes(expected)).replace(2 * KIND, 2, c.kind).replace(2 * PALETTE, 128, c.slots);
    EXPECT_EQ(hex(file()), want) << static_cast<char>(c.hotkey);
    EXPECT_TRUE(file_written()) << static_cast<char>(c.hotkey);
    EXPECT_TRUE(spy.keys.empty()) << "nothing asked after the choice";
  }
}

TEST_F(Palettes, ListAndChooserWrapAround) {
  const struct {
    const char* what;
    uint8_t start;          // slot 3 of group 2
    std::vector<int> keys;  // Esc follows
    int cursor, slot;
  } cases[] = {
      {"Up on slot 0 goes to 15", 0x30, {key::UP}, 15, 0x30},
      {"Down on 15 goes to 0", 0x30, {key::UP, key::DOWN, key::LEFT, 'x'}, 0, 0x30},
      {"Up at foreground 0 gives 15", 0x30, {key::UP}, 3, 0x3F},
      {"Down at foreground 15 gives 0", 0x3F, {key::DOWN}, 3, 0x30},
      {"Ctrl+Y at background 0 gives 7", 0x05, {CTRL_Y}, 3, 0x75},
      {"Ctrl+\\ at background 7 gives 0", 0x75, {CTRL_BACKSLASH}, 3, 0x05},
      {"Left, Right and others do nothing", 0x42, {key::LEFT, key::RIGHT, 'x', key::END}, 3, 0x42},
      {"steps add up", 0x42, {CTRL_Y, CTRL_Y, CTRL_BACKSLASH, key::DOWN, key::DOWN}, 3, 0x34},
  };
  for (const auto& c : cases) {
    reset_palettes();
    set_slot(2, 3, c.start);
    const bool in_chooser = c.cursor == 3;
    if (in_chooser) spy.press({key::DOWN, key::DOWN, key::DOWN, key::ENTER});
    for (int k : c.keys) spy.press(k);
    spy.press(key::ESC);
    edit_palette_group(2);
    EXPECT_EQ(palette_list_cursor(2), c.cursor) << c.what;
    EXPECT_EQ(palette_slot(2, 3), c.slot) << c.what;
    EXPECT_FALSE(file_written()) << c.what;
    // The cursor blinks: the list row, or the "[x]" in the grid.
    const Cell& cursor = in_chooser ? spy.cell(51 + 3 * (c.slot >> 4), 7 + (c.slot & 15)) : spy.cell(29, 7 + c.cursor);
    EXPECT_EQ(cursor.attr, palette_slot(2, in_chooser ? 3 : c.cursor) | 0x80) << c.what;
    if (in_chooser) {
      EXPECT_EQ(cursor.ch, '[') << c.what;
      // The list row and the preview show the colour under the cursor.
      EXPECT_EQ(spy.cell(29, 7 + 3).attr, c.slot) << c.what;
      EXPECT_EQ(spy.cell(4, 17).attr, c.slot) << c.what;
    }
  }
}

TEST_F(Palettes, EachGroupKeepsItsOwnListCursor) {
  spy.press({key::DOWN, key::DOWN, key::ESC, key::UP, key::ESC});
  edit_palette_group(0);
  edit_palette_group(1);
  EXPECT_EQ(palette_list_cursor(0), 2);
  EXPECT_EQ(palette_list_cursor(1), 15);
}

TEST_F(Palettes, BlinkingSlotOpensWithoutBlinkAndEnterOnItsColourKeepsItsByte) {
  const struct {
    const char* what;
    std::vector<int> keys;  // in the chooser
    uint8_t slot;
    bool written;
  } cases[] = {
      {"Esc at once leaves the shown colour in memory", {key::ESC}, 0x1E, false},
      {"Enter at once", {key::ENTER}, 0x9E, true},
      {"moved and Esc", {key::DOWN, key::ESC}, 0x1F, false},
      {"moved back and Enter", {key::DOWN, key::UP, key::ENTER}, 0x9E, true},
  };
  for (const auto& c : cases) {
    reset_palettes();
    set_slot(0, 0, 0x9E);
    spy.press(key::ENTER);
    for (int k : c.keys) spy.press(k);
    edit_palette_group(0);
    EXPECT_EQ(spy.cell(4, 17).attr, c.slot & 0x7F) << c.what << ": the preview without blink";
    EXPECT_EQ(palette_slot(0, 0), c.slot) << c.what;
    EXPECT_EQ(file_written(), c.written) << c.what;
    if (c.written) {
      EXPECT_EQ(static_cast<uint8_t>(file()[960]), c.slot) << c.what;
    }
  }
}

TEST_F(Palettes, SavingAColourRedrawsWhatTheGroupColours) {
  const struct {
    int group;
    bool header, frame;
  } cases[] = {{0, true, true}, {1, false, true}, {2, false, false}, {3, false, false}};
  for (const auto& c : cases) {
    for (int g = 0; g < 4; ++g) set_slot(g, 1, 0x30);  // slot 1: the header's and the frame's colours
    draw_header();
    draw_main_frame();
    gotoxy(5, 2);
    putch('Q');  // marks in the header box and the main frame, away from the dialog
    gotoxy(79, 23);
    putch('Q');
    spy.press({key::DOWN, key::ENTER, key::DOWN, key::ENTER});
    edit_palette_group(c.group);
    EXPECT_EQ(static_cast<uint8_t>(file()[static_cast<size_t>(PALETTE + 16 * c.group + 1)]), 0x31) << c.group;
    EXPECT_EQ(screen_text(2, 5, 5), c.header ? " " : "Q") << c.group;
    EXPECT_EQ(screen_text(23, 79, 79), c.frame ? " " : "Q") << c.group;
    EXPECT_EQ(screen_attr(1, 1), c.group == 0 ? 0x31 : 0x30) << c.group << ": header colour";
    EXPECT_EQ(screen_attr(1, 4), c.group == 1 ? 0x31 : 0x30) << c.group << ": main frame colour";
  }
}

TEST_F(Palettes, SubmenuRemembersTheEntryHoweverTheActionEnds) {
  const struct {
    const char* what;
    const char* line_81;
    std::vector<int> keys;
    int highlighted, bells;
    bool written;
  } cases[] = {
      {"Esc in the submenu", "~", {key::ESC}, 1, 0, false},
      {"group 2 left in its list", "~", {'L', key::ESC}, 6, 0, false},
      {"group 3 left in the chooser", "~", {'S', key::ENTER, key::ESC}, 7, 0, false},
      {"the colour preset", "~", {'P'}, 2, 0, true},
      {"entry 3 that is no separator only rings", "&Nothing", {'N'}, 3, 1, false},
  };
  for (const auto& c : cases) {
    reset_palettes();
    use_catalogue_with_line_81(c.line_81);
    reset_record();
    spy.bells = 0;
    for (int k : c.keys) spy.press(k);
    edit_palettes();
    EXPECT_EQ(file_written(), c.written) << c.what;
    EXPECT_EQ(spy.bells, c.bells) << c.what;
    spy.press(key::ESC);
    edit_palettes();
    const int highlight = ~palette_attr(slot::SUBMENU) & 0x7F;
    EXPECT_EQ(screen_attr(4, 6 + c.highlighted), highlight) << c.what;
  }
}

TEST_F(Palettes, AFailedSaveIsShown) {
  if (open_company_file("/dev/full") != 0) GTEST_SKIP() << "no /dev/full here";
  preset_monochrome();
  EXPECT_EQ(spy.shown.substr(0, 27), "Record not saved: disk full");
  EXPECT_EQ(spy.bells, 1);
}

}  // namespace
