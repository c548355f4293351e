#include <gtest/gtest.h>

#include "console/keyboard.h"
#include "console/line_editor.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

constexpr int X = 10, Y = 5, ATTR = 0x1E;
const std::string TEXT31(31, '<');
const std::string DECIMAL = "######.######";

struct Case {
  const char* what;
  std::string field_template;
  int mode;
  std::string buffer;  // EditBuffer before the call
  std::vector<int> keys;
  int result;
  std::string buffer_after;
  std::string cells;  // the field's columns after the call (width columns)
  int bells;
};

class LineEditor : public ConsoleTest {
 protected:
  void run(const Case& c) {
    SetUp();
    set_edit_buffer(c.buffer);
    for (int k : c.keys) console.press(k);
    textattr(ATTR);
    const int result = line_edit(c.mode, X, Y, c.field_template);
    const int width = static_cast<int>(c.field_template.size());
    EXPECT_EQ(result, c.result) << c.what;
    EXPECT_EQ(edit_buffer(), c.buffer_after) << c.what;
    EXPECT_EQ(screen_text(Y, X, X + width - 1), c.cells) << c.what;
    EXPECT_EQ(console.bells, c.bells) << c.what;
    EXPECT_TRUE(console.keys.empty()) << c.what << ": keys left unread";
    for (int col = X; col < X + width; ++col) EXPECT_EQ(screen_attr(col, Y), ATTR) << c.what << " col " << col;
  }
};


TEST_F(LineEditor, KeysAndEndings) {
  using namespace key;
  const Case cases[] = {
      {"empty start, Enter at once", "<<<<<", 0, "", {ENTER}, ENTER, "", "     ", 0},
      {"recall on Enter, then Enter ends", "<<<<<", 0, "123", {ENTER, ENTER}, ENTER, "123", "123  ", 0},
      {"recall then edit", "<<<<<", 0, "123", {ENTER, '4', ENTER}, ENTER, "1234", "1234 ", 0},
      {"empty start, Right at once keeps the buffer", "<<<<<", 0, "abc", {RIGHT}, RIGHT, "abc", "abc  ", 0},
      {"empty start, typing replaces", "<<<<<", 0, "abc", {'x', ENTER}, ENTER, "x", "x    ", 0},
      {"content start, Left moves, Left at 0 ends", "<<<<<", 1, "ab", {LEFT, LEFT, LEFT}, LEFT, "ab", "ab   ", 0},
      {"Esc returns what was typed", "<<<<<", 0, "", {'a', 'b', ESC}, ESC, "ab", "ab   ", 0},
      {"Tab, Up and Down end", "<<<<<", 1, "q", {TAB}, TAB, "q", "q    ", 0},
      {"Down ends", "<<<<<", 1, "q", {DOWN}, DOWN, "q", "q    ", 0},
      {"Right at the end rings", "<<<<<", 1, "ab", {RIGHT, ENTER}, ENTER, "ab", "ab   ", 1},
      {"Right at the width ends", "<<", 1, "ab", {RIGHT}, RIGHT, "ab", "ab", 0},
      {"Home and insert", "<<<<<", 1, "bc", {HOME, 'a', ENTER}, ENTER, "abc", "abc  ", 0},
      {"overwrite after Ins", "<<<<<", 1, "bc", {INS, HOME, 'a', ENTER}, ENTER, "ac", "ac   ", 0},
      {"overwrite in a full field rings", "<<<", 1, "abc", {INS, HOME, 'x', ENTER}, ENTER, "abc", "abc", 1},
      {"Del in the middle", "<<<<<", 1, "abcd", {HOME, RIGHT, DEL, ENTER}, ENTER, "acd", "acd  ", 0},
      {"Del at the end rings", "<<<<<", 1, "ab", {DEL, ENTER}, ENTER, "ab", "ab   ", 1},
      {"Ctrl+Backspace is Del", "<<<<<", 1, "ab", {HOME, 127, ENTER}, ENTER, "b", "b    ", 0},
      {"Backspace inside", "<<<<<", 1, "abcd", {LEFT, BACKSPACE, ENTER}, ENTER, "abd", "abd  ", 0},
      {"Backspace at 0 rings", "<<<<<", 1, "ab", {HOME, BACKSPACE, ENTER}, ENTER, "ab", "ab   ", 1},
      {"Ctrl+X clears", "<<<<<", 1, "abc", {CTRL_X, 'z', ENTER}, ENTER, "z", "z    ", 0},
      {"Ctrl+Del clears", "<<<<<", 1, "abc", {CTRL_DEL, ENTER}, ENTER, "", "     ", 0},
      {"control characters and PgUp ring", "<<<<<", 1, "", {1, PGUP, CTRL_LEFT, ENTER}, ENTER, "", "     ", 3},
      {"code page 437 letters are stored as bytes", "<<<<<", 1, "", {0x85, 0xE1, ENTER}, ENTER, "\x85\xE1",
       "\x85\xE1   ", 0},
      {"F5 ends", "<<<<<", 1, "a", {key::extended(0x3F)}, key::extended(0x3F), "a", "a    ", 0},
      {"Shift+F1 ends", "<<<<<", 1, "a", {SHIFT_F1}, SHIFT_F1, "a", "a    ", 0},
      {"Alt+F10 ends", "<<<<<", 1, "a", {ALT_F10}, ALT_F10, "a", "a    ", 0},
      {"F12 ends", "<<<<<", 1, "a", {F12}, F12, "a", "a    ", 0},
      {"Alt+F12 ends", "<<<<<", 1, "a", {ALT_F12}, ALT_F12, "a", "a    ", 0},
      {"numeric field ends right-aligned", "###", 1, "5", {ENTER}, ENTER, "5", "  5", 0},
      {"numeric refuses letters", "###", 1, "", {'a', '1', '-', ENTER}, ENTER, "1", "  1", 2},
      {"numeric full field", "###", 0, "", {'1', '2', '3', '4', ENTER}, ENTER, "123", "123", 1},
      {"numeric overwrites at the cursor", "###", 1, "12", {HOME, '9', ENTER}, ENTER, "92", " 92", 0},
      {"signed numeric takes minus, left-aligned", "-###", 0, "", {'-', '4', ENTER}, ENTER, "-4", "-4  ", 0},
      {"point in ### rings and then Del is refused", "###", 1, "12", {'.', HOME, DEL, BACKSPACE, ENTER}, ENTER,
       "12", " 12", 3},
      {"Backspace after a refused point still works", "###", 1, "12", {'.', BACKSPACE, ENTER}, ENTER, "1", "  1", 1},
      {"decimal point", DECIMAL, 0, "", {'1', '2', '.', '5', ENTER}, ENTER, "12.5", "         12.5", 0},
      {"point right of the decimal column rings", DECIMAL, 0, "", {'1', '2', '3', '4', '5', '6', '7', '.', ENTER},
       ENTER, "1234567", "      1234567", 1},
      {"a refused point still refuses Del", DECIMAL, 0, "", {'1', '2', '3', '4', '5', '6', '7', '.', key::HOME, key::DEL, ENTER},
       ENTER, "1234567", "      1234567", 2},
      {"digits after the point fill to the field's end", DECIMAL, 0, "",
       {'1', '.', '1', '2', '3', '4', '5', '6', '7', ENTER}, ENTER, "1.123456", "     1.123456", 1},
      {"text point is a character", "<<<<<", 0, "", {'.', ENTER}, ENTER, ".", ".    ", 0},
  };
  for (const auto& c : cases) run(c);
}

TEST_F(LineEditor, FillCharactersWhileEditing) {
  set_edit_buffer("ab");
  console.press({'c'});
  console.keys.push_back(27);
  textattr(ATTR);
  // Look at the field between the keys: the scripted console presents the
  // grid before each key read.
  struct Snap : ScriptedConsole {
    std::vector<std::string> rows;
    void present(const Grid&) noexcept override { rows.push_back(screen_text(Y, X, X + 5)); }
  } snap;
  snap.keys = console.keys;
  set_console_backend(&snap);
  line_edit(1, X, Y, "<<<<<");
  ASSERT_EQ(snap.rows.size(), 2u);
  EXPECT_EQ(snap.rows[0], "ab/// ");
  EXPECT_EQ(snap.rows[1], "abc// ");
}

TEST_F(LineEditor, DecimalPointMovesTheTextOntoTheTemplatesPoint) {
  std::vector<std::string> rows;
  struct Snap : ScriptedConsole {
    std::vector<std::string>* rows;
    void present(const Grid&) noexcept override { rows->push_back(screen_text(Y, X, X + 12)); }
  } snap;
  snap.rows = &rows;
  snap.press({'1', '2', '.', key::ESC});
  set_console_backend(&snap);
  line_edit(0, X, Y, DECIMAL);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3], "    12.//////");
  EXPECT_EQ(wherex(), X + 13) << "final redraw leaves the cursor after the field";
}

TEST_F(LineEditor, InsertIndicator) {
  console.press({key::INS, 'x', key::INS, key::ENTER});
  textattr(ATTR);
  line_edit(0, X, Y, "<<<<<");
  EXPECT_EQ(screen_text(24, 78, 78), "I");
  EXPECT_EQ(screen_attr(78, 24), ATTR);
  console.press({key::INS, key::ENTER, key::ENTER});  // the first Enter recalls "x"
  line_edit(0, X, Y, "<<<<<");
  EXPECT_EQ(screen_text(24, 78, 78), "O");
}

TEST_F(LineEditor, HelpKeyRestartsTheFieldFromTheEditBuffer) {
  help_overlay("readme nolvex.hlp");
  set_edit_buffer("old");
  console.press({'x', 'y', 0x7500, key::ENTER});
  textattr(ATTR);
  EXPECT_EQ(line_edit(1, X, Y, "<<<<<"), key::ENTER);
  EXPECT_EQ(edit_buffer(), "old");
  EXPECT_EQ(console.commands.size(), 1u);
  EXPECT_EQ(screen_text(Y, X, X + 4), "old  ");
}

TEST_F(LineEditor, TooLongContentWarnsAndRefusesCharacters) {
  set_edit_buffer(std::string(35, 'k'));
  console.press({'z', key::BACKSPACE, key::BACKSPACE, key::BACKSPACE, key::BACKSPACE, key::BACKSPACE, 'q', 'r',
                 key::ENTER});
  textattr(ATTR);
  line_edit(1, X, Y, TEXT31);
  EXPECT_EQ(screen_text(24, 40, 73), "buf.tastiera troppo grande ! 35 31");
  EXPECT_EQ(console.bells, 2) << "'z' at 35 and 'r' at 31 characters";
  EXPECT_EQ(edit_buffer(), std::string(30, 'k') + "q");
}

TEST_F(LineEditor, ReportsWhetherTheOperatorChangedTheText) {
  using namespace key;
  struct ChangeCase {
    const char* what;
    int mode;
    std::vector<int> keys;
    bool changed;
  };
  const ChangeCase cases[] = {
      {"Enter through a shown value", 1, {ENTER}, false},
      {"cursor keys only", 1, {LEFT, HOME, END, ENTER}, false},
      {"Tab on a field that opens empty", 0, {TAB}, false},
      {"recall by Enter, then Enter", 0, {ENTER, ENTER}, false},
      {"take-over by Right", 0, {RIGHT}, false},
      {"Ctrl+X on a field that opens empty", 0, {CTRL_X, DOWN}, false},
      {"a refused key", 1, {DEL, ENTER}, false},
      {"typing undone by the help key", 1, {'x', 0x7500, ENTER}, false},
      {"one character typed", 1, {'x', ENTER}, true},
      {"typed on an empty start, then Esc", 0, {'x', ESC}, true},
      {"Backspace", 1, {BACKSPACE, TAB}, true},
      {"Del", 1, {HOME, DEL, ENTER}, true},
      {"Ctrl+X on a shown value", 1, {CTRL_X, ENTER}, true},
      {"typed and deleted again", 1, {'x', BACKSPACE, ENTER}, true},
  };
  help_overlay("readme nolvex.hlp");
  for (const auto& c : cases) {
    set_edit_buffer("abc");
    for (int k : c.keys) console.press(k);
    textattr(ATTR);
    line_edit(c.mode, X, Y, "<<<<<");
    EXPECT_EQ(edit_changed(), c.changed) << c.what;
    EXPECT_TRUE(console.keys.empty()) << c.what;
  }
}

}  // namespace

namespace {

// A paste types its characters into the field and nothing else: it never
// ends the field. Alt keys without a use ring and leave the field as it is.
TEST_F(LineEditor, PasteTypesAndAltKeysRing) {
  struct PasteCase {
    const char* what;
    std::string field_template;
    std::string buffer;
    std::string pasted;
    std::vector<int> keys_after;
    std::string buffer_after;
    int bells;
    bool changed;
  };
  const PasteCase cases[] = {
      {"text field", "<<<<<<", "", "ab c", {key::ENTER}, "ab c", 0, true},
      {"longer than the field: the rest rings", "<<<", "", "abcdef", {key::ENTER}, "abc", 3, true},
      {"code page 437 bytes", "<<<<", "", "\x82t\xE9", {key::ENTER}, "\x82t\xE9", 0, true},
      {"number field: digits and the point", "####.##", "", "12a.5", {key::ENTER}, "12.5", 1, true},
      {"then Esc still leaves", "<<<<", "", "xy", {key::ESC}, "xy", 0, true},
      {"Alt keys ring", "<<<<", "", "", {key::ALT_OTHER, key::extended(0x1C), 'q', key::ENTER}, "q", 2, true},
      {"Alt key only: nothing changed", "<<<<", "", "", {key::ALT_OTHER, key::ENTER}, "", 1, false},
  };
  for (const PasteCase& c : cases) {
    SetUp();
    set_edit_buffer(c.buffer);
    console.paste(c.pasted);
    for (int k : c.keys_after) console.press(k);
    textattr(ATTR);
    EXPECT_EQ(line_edit(edit_mode::EMPTY_START, X, Y, c.field_template), c.keys_after.back()) << c.what;
    EXPECT_EQ(edit_buffer(), c.buffer_after) << c.what;
    EXPECT_EQ(console.bells, c.bells) << c.what;
    EXPECT_EQ(edit_changed(), c.changed) << c.what;
    EXPECT_TRUE(console.keys.empty()) << c.what;
  }
}

}  // namespace
