#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/company_file.h"
#include "data/setup_record.h"
#include "dialogs/palettes.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/header.h"
#include "support/test_support.h"

namespace {

constexpr int PALETTE = 960, KIND = 955;
constexpr int CTRL_Y = 25, CTRL_BACKSLASH = 28;

// The grid as it was shown while the last scripted key was awaited.
struct LastKeySpy : ScriptedConsole {
  Grid shown;
  void present(const Grid& grid) noexcept override {
    ++presents;
    if (keys.size() == 1) shown = grid;
  }
  const Cell& cell(int x, int y) const { return shown.cells[y - 1][x - 1]; }
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
    std::vector<std::string> lines;
    for (int i = 0; i < 140; ++i) lines.push_back("L" + std::to_string(i));
    lines[78] = "Colours";
    lines[79] = "&Mono";
    lines[80] = "Colour &preset";
    lines[81] = line;
    lines[82] = "&Menus";
    lines[83] = "Main &frame";
    lines[84] = "&Ledger";
    lines[85] = "&Screen";
    lines[86] = "Choose";
    use_catalogue(lines);
  }
  // Makes the record in memory differ from the file in a byte no dialog
  // owns, so that any write at all shows in the file.
  void arm_write_detector() { setup_record()[100] ^= 0xFF; }
  bool file_written() const { return static_cast<uint8_t>(file()[100]) != original[100]; }
  void set_slot(int g, int s, uint8_t v) {
    original[static_cast<size_t>(PALETTE + 16 * g + s)] = v;
    reset_record();
  }
  int highlighted_entry() const {
    for (int entry = 1; entry <= 7; ++entry)
      if (screen_attr(4, 6 + entry) == (~palette_attr(slot::SUBMENU) & 0x7F)) return entry;
    return 0;
  }
  LastKeySpy spy;
};

TEST_F(Palettes, PresetsWriteEverySlotAndTheKindAtOnce) {
  struct Case {
    const char* what;
    int hotkey;
    const char* slots;  // 64 bytes in hex, one group after the other
    int kind;
  };
  const Case cases[] = {
      {"monochrome", 'M',
       "0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f 0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f "
       "0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f 0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f0f",
       1},
      {"colour", 'P',
       "0230603f727a7f4e4f0e711f702f740f 024f1f4e2e4335403f726261636e6f5f "
       "02041f0e610f0f415131715e3e345074 020102030405060708090a0b0c0d0e0f",
       2},
  };
  for (const auto& c : cases) {
    reset_record();
    arm_write_detector();
    spy.press(c.hotkey);
    edit_palettes();
    std::string slots = c.slots;
    std::erase(slots, ' ');
    char kind[3];
    std::snprintf(kind, sizeof kind, "%02x", c.kind);
    std::string expected = hex(bytes(original));
    expected.replace(2 * 100, 2, hex(std::string(1, static_cast<char>(original[100] ^ 0xFF))));
    expected.replace(2 * KIND, 2, kind);
    expected.replace(2 * PALETTE, 128, slots);
    EXPECT_EQ(hex(file()), expected) << c.what;
    EXPECT_TRUE(spy.keys.empty()) << c.what << ": nothing asked after the choice";
  }
}

TEST_F(Palettes, APresetRedrawsNothing) {
  gotoxy(40, 12);
  putch('Q');
  const Grid before = screen_grid();
  preset_colour();
  EXPECT_EQ(screen_grid(), before);
}

TEST_F(Palettes, ListAndChooserWrapAround) {
  struct Case {
    const char* what;
    uint8_t start;  // slot 3 of group 2 before the dialog
    std::vector<int> keys;  // the dialog opens on slot 3; Esc follows them
    int cursor;
    int slot;  // slot 3 in memory afterwards
  };
  const std::vector<int> to_3 = {key::DOWN, key::DOWN, key::DOWN};
  auto then = [&](std::vector<int> more) {
    std::vector<int> k = to_3;
    k.insert(k.end(), more.begin(), more.end());
    return k;
  };
  const Case cases[] = {
      {"Up on slot 0 goes to 15", 0x30, {key::UP}, 15, 0x30},
      {"Down on 15 goes to 0", 0x30, {key::UP, key::DOWN}, 0, 0x30},
      {"other keys leave the list cursor", 0x30, then({key::LEFT, 'x', key::END, key::TAB}), 3, 0x30},
      {"Up at foreground 0 gives 15", 0x30, then({key::ENTER, key::UP}), 3, 0x3F},
      {"Down at foreground 15 gives 0", 0x3F, then({key::ENTER, key::DOWN}), 3, 0x30},
      {"Ctrl+Y at background 0 gives 7", 0x05, then({key::ENTER, CTRL_Y}), 3, 0x75},
      {"Ctrl+\\ at background 7 gives 0", 0x75, then({key::ENTER, CTRL_BACKSLASH}), 3, 0x05},
      {"Left and Right do nothing", 0x42, then({key::ENTER, key::LEFT, key::RIGHT, 'x'}), 3, 0x42},
      {"steps add up", 0x42, then({key::ENTER, CTRL_Y, CTRL_Y, CTRL_BACKSLASH, key::DOWN, key::DOWN}), 3, 0x34},
  };
  for (const auto& c : cases) {
    reset_palettes();
    set_slot(2, 3, c.start);
    for (int k : c.keys) spy.press(k);
    spy.press(key::ESC);
    edit_palette_group(2);
    EXPECT_EQ(palette_list_cursor(2), c.cursor) << c.what;
    EXPECT_EQ(palette_slot(2, 3), c.slot) << c.what;
    EXPECT_EQ(file(), bytes(original)) << c.what;
    const bool in_chooser = std::count(c.keys.begin(), c.keys.end(), key::ENTER) == 1;
    if (in_chooser) {
      const Cell& marked = spy.cell(51 + 3 * (c.slot >> 4), 7 + (c.slot & 15));
      EXPECT_EQ(marked.ch, '[') << c.what;
      EXPECT_EQ(marked.attr, c.slot | 0x80) << c.what << ": the grid cursor blinks";
    } else {
      EXPECT_EQ(spy.cell(29, 7 + c.cursor).attr, palette_slot(2, c.cursor) | 0x80) << c.what;
    }
  }
}

TEST_F(Palettes, EachGroupKeepsItsOwnListCursor) {
  spy.press({key::DOWN, key::DOWN, key::ESC});
  edit_palette_group(0);
  spy.press({key::UP, key::ESC});
  edit_palette_group(1);
  spy.press({key::ESC});
  edit_palette_group(0);
  EXPECT_EQ(palette_list_cursor(0), 2);
  EXPECT_EQ(palette_list_cursor(1), 15);
  EXPECT_EQ(spy.cell(29, 9).attr, palette_slot(0, 2) | 0x80) << "group 0 reopens on slot 2";
}

TEST_F(Palettes, BlinkingSlotOpensWithoutBlinkAndEscWritesNothing) {
  set_slot(0, 0, 0x9E);
  arm_write_detector();
  spy.press({key::ENTER, key::ESC});
  edit_palette_group(0);
  EXPECT_EQ(spy.cell(51 + 3, 7 + 14).ch, '[') << "background 1, foreground 14";
  EXPECT_EQ(spy.cell(51 + 3, 7 + 14).attr, 0x9E);
  EXPECT_EQ(spy.cell(4, 17).attr, 0x1E) << "the preview in the colour without blink";
  EXPECT_EQ(palette_slot(0, 0), 0x1E);
  EXPECT_FALSE(file_written());
  EXPECT_EQ(static_cast<uint8_t>(file()[PALETTE]), 0x9E);
}

TEST_F(Palettes, SavingAColourRedrawsWhatTheGroupColours) {
  struct Case {
    int group;
    bool header_redrawn, frame_redrawn;
  };
  const Case cases[] = {{0, true, true}, {1, false, true}, {2, false, false}, {3, false, false}};
  for (const auto& c : cases) {
    for (int g = 0; g < 4; ++g) original[static_cast<size_t>(PALETTE + 16 * g + 1)] = 0x30;
    reset_record();
    draw_header();
    draw_main_frame();
    const Grid before = screen_grid();
    gotoxy(5, 2);
    putch('Q');  // a mark in the header box
    gotoxy(79, 23);
    putch('Q');  // and one in the main frame, away from the dialog
    spy.press({key::DOWN, key::ENTER, key::DOWN, key::ENTER});  // slot 1: 0x30 -> 0x31
    edit_palette_group(c.group);
    EXPECT_EQ(static_cast<uint8_t>(file()[static_cast<size_t>(PALETTE + 16 * c.group + 1)]), 0x31) << c.group;
    EXPECT_EQ(screen_text(2, 5, 5), c.header_redrawn ? " " : "Q") << c.group;
    EXPECT_EQ(screen_text(23, 79, 79), c.frame_redrawn ? " " : "Q") << c.group;
    EXPECT_EQ(screen_attr(1, 1), c.group == 0 ? 0x31 : before.cells[0][0].attr) << c.group << ": header";
    EXPECT_EQ(screen_attr(1, 4), c.group == 1 ? 0x31 : before.cells[3][0].attr) << c.group << ": main frame";
    EXPECT_EQ(screen_text(7, 26, 26) == " ", c.frame_redrawn) << c.group << ": the slot list is cleared";
  }
}

TEST_F(Palettes, SubmenuRemembersTheEntryHoweverTheActionEnds) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    int highlighted;
  };
  const Case cases[] = {
      {"Esc in the submenu", {key::ESC}, 1},
      {"group 2 left in its list", {'L', key::ESC}, 6},
      {"group 3 left in the chooser", {'S', key::ENTER, key::ESC}, 7},
      {"the colour preset", {'P'}, 2},
  };
  for (const auto& c : cases) {
    reset_palettes();
    reset_record();
    for (int k : c.keys) spy.press(k);
    edit_palettes();
    spy.press(key::ESC);
    edit_palettes();
    EXPECT_EQ(highlighted_entry(), c.highlighted) << c.what;
  }
}

TEST_F(Palettes, ThirdEntryThatIsNoSeparatorOnlyRings) {
  use_catalogue_with_line_81("&Nothing");
  arm_write_detector();
  const SetupRecord before = setup_record();
  spy.press('N');
  edit_palettes();
  EXPECT_EQ(spy.bells, 1);
  EXPECT_TRUE(spy.keys.empty());
  EXPECT_EQ(setup_record(), before);
  EXPECT_FALSE(file_written());
}

TEST_F(Palettes, AFailedSaveIsShown) {
  if (open_company_file("/dev/full") != 0) GTEST_SKIP() << "no /dev/full here";
  struct MessageSpy : ScriptedConsole {
    std::string shown;
    bool key_ready(int) noexcept override {
      shown = screen_text(25, 41, 71);
      return false;
    }
  } message;
  set_console_backend(&message);
  preset_monochrome();
  const std::string reason = std::strerror(ENOSPC);
  EXPECT_EQ(message.shown.substr(0, reason.size()), reason);
  EXPECT_EQ(message.bells, 1);
}

}  // namespace
