#include <gtest/gtest.h>

#include "data/setup_record.h"
#include "dialogs/dialog_walk.h"
#include "dialogs/printers.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

std::string code8(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  s.resize(8, '\0');
  return s;
}

TEST(PrinterCodes, ParsingRule) {
  struct Case {
    std::string entry;
    std::string before;
    std::string stored;
  };
  const std::string old = code8({0x1B, 0x40, 0x1B, 0x45, 0x11, 0x22, 0x33, 0x44});
  const Case cases[] = {
      {"1B0D", old, code8({0x1B, 0x0D})},
      {"1B4", old, code8({0x1B})},
      {"7", old, code8({})},
      {"00", old, code8({})},
      {"", old, old},
      {"0123456789abcdef", old, code8({0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF})},
      {"1B001B", old, code8({0x1B, 0x00, 0x1B})},
      {"1b1b", old, code8({0x1B, 0x1B})},
      {"g5", old, code8({0x00})},
      {"5g1b", old, code8({0x05, 0x1B})},
  };
  for (const auto& c : cases) {
    std::string bytes = c.before;
    parse_code_entry(c.entry, reinterpret_cast<uint8_t*>(bytes.data()));
    EXPECT_EQ(hex(bytes), hex(c.stored)) << "entry '" << c.entry << "'";
  }
}

TEST(PrinterCodes, HexSequenceRunsToTheLastNonZeroByteInLowercase) {
  const std::pair<std::string, std::string> cases[] = {
      {code8({0x1B, 0x00, 0x1B}), "1b001b"}, {code8({}), ""}, {code8({0xAB, 0xCD}), "abcd"},
      {code8({0, 0, 0, 0, 0, 0, 0, 0xFF}), "00000000000000ff"}, {code8({0x1B, 0x33, 0x00, 0x41}), "1b330041"}};
  for (const auto& [bytes, text] : cases)
    EXPECT_EQ(hex_sequence(reinterpret_cast<const uint8_t*>(bytes.data())), text);
}

class Printers : public DialogWalkTest {
 protected:
  void SetUp() override {
    DialogWalkTest::SetUp();
    reset_printer_menu();
    set_text(original, field::printer_name_line(0), "Laser");
    set_text(original, field::printer_name_line(1), "Matrix");
    for (int set = 0; set < 2; ++set)
      for (int row = 0; row < 10; ++row)
        for (int half = 0; half < 2; ++half) {
          const Field f = field::printer_code(set, row, half);
          for (int i = 0; i < 8; ++i) original[static_cast<size_t>(f.offset + i)] = 0;
          original[static_cast<size_t>(f.offset)] = 0x1B;
          original[static_cast<size_t>(f.offset + 1)] = static_cast<uint8_t>(0x40 + row * 2 + half + set * 0x20);
        }
    original[868] = 0;
    reset_record();
  }
};

TEST_F(Printers, NamesWalk) {
  const WalkCase cases[] = {
      {"both accepted", {key::ENTER, key::ENTER}, {}, true},
      {"Esc leaves", {key::ESC}, {}, false, 0, {}, 29},
      {"Esc at the second name", {key::ENTER, key::ESC}, {}, false, 0, {}, 30},
      {"Up on the first leaves", {key::UP}, {}, false},
      {"an emptied name is offered again", {key::CTRL_X, key::ENTER, key::ENTER, key::ENTER}, {}, true},
      {"Up from the second goes back", {key::ENTER, key::UP, key::CTRL_X, 'Z', key::ENTER, key::ENTER},
       {stored_text(field::printer_name_line(0), "Z")}, true},
  };
  for (const auto& c : cases) run_walk(c, edit_printer_names);
}

TEST_F(Printers, CodeSetPrompt) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    int set_edited;  // -1: left without editing
  };
  const Case cases[] = {
      {"1 edits set 1", {'1', key::ENTER}, 1},
      {"Enter on the empty prompt edits set 0", {key::ENTER}, 0},
      {"2 leaves", {'2', key::ENTER}, -1},
      {"9 leaves", {'9', key::ENTER}, -1},
      {"Esc leaves", {key::ESC}, -1},
  };
  for (const auto& c : cases) {
    reset_record();
    for (int k : c.keys) console.press(k);
    if (c.set_edited >= 0) {
      console.press(key::CTRL_X);
      console.type("AB");
      console.press(key::ENTER);
      for (int i = 0; i < 19; ++i) console.press(key::ENTER);
    }
    edit_printer_codes();
    EXPECT_TRUE(console.keys.empty()) << c.what;
    if (c.set_edited < 0) {
      EXPECT_EQ(file(), bytes(original)) << c.what;
      EXPECT_FALSE(file_written()) << c.what;
      continue;
    }
    const int offset = field::printer_code(c.set_edited, 0, 0).offset;
    EXPECT_EQ(hex(file().substr(static_cast<size_t>(offset), 8)), "ab00000000000000") << c.what;
    EXPECT_EQ(screen_text(8, 43, 44), "ab") << c.what;
  }
}

TEST_F(Printers, CodeChainBacksUp) {
  // on 0, off 0, on 1, off 1, on 2, off 2, on 3 accepted; Up on off 3 goes to
  // on 3; Up there goes to off 2, which is retyped; then on to the end.
  console.press(key::ENTER);  // the prompt: set 0
  for (int i = 0; i < 7; ++i) console.press(key::ENTER);
  console.press({key::UP, key::UP});
  retype("1B001B");
  for (int i = 0; i < 14; ++i) console.press(key::ENTER);
  edit_printer_codes();
  EXPECT_TRUE(console.keys.empty());
  const int off2 = field::printer_code(0, 2, 1).offset;
  EXPECT_EQ(hex(file().substr(static_cast<size_t>(off2), 8)), "1b001b0000000000");
  EXPECT_EQ(screen_text(10, 60, 65), "1b001b");
}

TEST_F(Printers, UpOnTheFirstCodeLeavesWithoutWriting) {
  console.press({key::ENTER, key::UP});
  edit_printer_codes();
  EXPECT_EQ(file(), bytes(original));
  EXPECT_FALSE(file_written());
}

TEST_F(Printers, ParameterChooser) {
  // A save redraws the header, whose heading 4 in the test pattern holds a bell byte.
  const int N = NOT_COUNTED;
  const WalkCase cases[] = {
      {"End saves row 0", {key::END}, {}, true, N},
      {"Down then End saves row 1", {key::DOWN, key::END}, {{868, 1}}, true, N},
      {"Up on row 0 and Down on row 1 stay", {key::UP, key::DOWN, key::DOWN, key::END}, {{868, 1}}, true, N},
      {"Esc does nothing there", {key::ESC, key::ESC, key::END}, {}, true, N},
      {"capital P acts as Down, O as End", {'P', 'O'}, {{868, 1}}, true, N},
      {"Enter then Up on value 0 leaves, keeping the row", {key::DOWN, key::ENTER, key::UP}, {{868, 1}}, false},
      {"Enter then Esc leaves", {key::ENTER, key::ESC}, {}, false},
  };
  for (const auto& c : cases) {
    run_walk(c, edit_printer_params);
    const bool header_drawn = screen_text(3).find('(') != std::string::npos;
    EXPECT_TRUE(header_drawn || !c.written) << c.what << ": the header box was redrawn";
    const int chosen = active_param_row(setup_record());
    EXPECT_EQ(screen_attr(3, 20 + chosen), palette_attr(slot::PRINTER_NAMES)) << c.what << ": the chosen row's label";
    EXPECT_EQ(screen_attr(3, 21 - chosen), palette_attr(slot::PRINTER_CODES)) << c.what << ": the other label";
  }
}

TEST_F(Printers, ParameterValuesAreStoredModulo256) {
  console.press(key::ENTER);
  retype("300");
  console.press(key::ENTER);  // recall of the current value
  console.press(key::ENTER);
  console.press({'5', key::BACKSPACE, key::TAB});  // emptied entry
  for (int i = 0; i < 5; ++i) console.press({key::ENTER, key::ENTER});  // values 3-7: recall, accept
  edit_printer_params();
  const std::string bytes = file();
  EXPECT_EQ(static_cast<uint8_t>(bytes[870]), 44);
  EXPECT_EQ(static_cast<uint8_t>(bytes[871]), original[871]);
  EXPECT_EQ(static_cast<uint8_t>(bytes[872]), 0);
  EXPECT_EQ(screen_text(20, 5, 7), "44 ");
  EXPECT_TRUE(console.keys.empty());
}

TEST_F(Printers, AuxParamsShareTheActiveSetAndTheHeaderFollowsIt) {
  set_text(setup_record(), field::printer_name_line(1), "Matrix");
  setup_record()[878 + 4] = 1;  // row 1 names printer 1
  console.press({key::DOWN, key::END});
  edit_aux_params();
  EXPECT_EQ(setup_record()[868], 1);
  EXPECT_NE(screen_text(3).find("Matrix("), std::string::npos) << screen_text(3);
}

TEST_F(Printers, ActiveSetOutsideTheTwoRowsReadsAsRowOne) {
  setup_record()[868] = 9;
  console.press({key::ENTER});
  for (int i = 0; i < 8; ++i) {
    console.press(key::CTRL_X);
    console.type("7");
    console.press(key::ENTER);
  }
  edit_printer_params();
  const std::string now = file();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(now[static_cast<size_t>(878 + i)], 7) << i;
  EXPECT_EQ(now.substr(886), bytes(original).substr(886));
  EXPECT_EQ(now[868], 9) << "a row not moved is not stored: the byte keeps what was read";
}

}  // namespace
