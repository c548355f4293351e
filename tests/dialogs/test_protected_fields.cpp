// The protected fields, the service line and option flags B: each table row
// is a key script, the record it must leave in memory, and whether the file
// was written at all (a write of identical bytes counts).
#include "data/company_file.h"
#include "dialogs/dialog_walk.h"
#include "dialogs/option_flags_b.h"
#include "dialogs/protected_fields.h"
#include "platform/keys.h"

namespace {

using namespace field;
constexpr int E = key::ENTER, X = key::CTRL_X;
const Keys WORD = text_keys("Key9");

std::string first_difference(const std::string& got, const std::string& wanted) {
  for (size_t i = 0; i < got.size() && i < wanted.size(); ++i)
    if (got[i] != wanted[i]) return "byte " + std::to_string(i) + ": " + hex(got.substr(i, 8));
  return got.size() == wanted.size() ? "" : "size " + std::to_string(got.size());
}

class GuardedDialogs : public DialogWalkTest {
 protected:
  void SetUp() override {
    DialogWalkTest::SetUp();
    set_text(original, access_word, "Key9");
    set_text(original, protected_text_0, "Alpha");
    set_text(original, protected_text_1, "Beta");
    set_text(original, protected_text_2, "Gamma");
    set_text(original, heading_line(0), "Service 1");
    // Bytes after a terminator that only a changed field may clear.
    original[224 + 8] = 0x55, original[256 + 10] = 0x77, original[20] = 0x66;
    original[944] = 0x05;
    reset_record();
  }
};

TEST_F(GuardedDialogs, Protected) {
  const WalkCase cases[] = {
      {"wrong letter case ends at once", text_keys("key9") + Keys{E}, {}, false},
      {"Esc at the access word", WORD + Keys{key::ESC}, {}, false},
      {"Esc at the new word", WORD + Keys{E, key::ESC}, {}, false},
      {"Enter twice at the new word, untouched texts keep their bytes", WORD + Keys{E, E, E, E, E, E}, {}, true},
      {"an emptied text is offered again; Tab accepts", WORD + Keys{E, E, E, E, X, E, key::TAB, key::TAB}, {}, true},
      {"Tab and Down on the untouched new word and texts keep them", WORD + Keys{E, key::TAB, key::DOWN, key::TAB, key::DOWN},
       {}, true},
      {"an emptied new word asks again", WORD + Keys{E, 'W', key::BACKSPACE, key::TAB, 'V', E, E, E, E},
       {stored_text(access_word, "V")}, true},
      {"all four typed; Up accepts, no way back",
       WORD + Keys{E, X, 'W', key::UP, X, 'A', key::UP, X, 'B', key::DOWN, X, 'C', key::F1},
       {stored_text(access_word, "W"), stored_text(protected_text_0, "A"), stored_text(protected_text_1, "B"),
        stored_text(protected_text_2, "C")},
       true},
      {"Esc at the third text after changing the other three",
       WORD + Keys{E, E, 'N', E, X, 'A', E, X, 'B', E, X, 'C', key::ESC},
       {stored_text(access_word, "Key9N"), stored_text(protected_text_0, "A"), stored_text(protected_text_1, "B")},
       false},
      {"an empty access word opens on Enter", {E, 'X', E, E, E, E}, {stored_text(access_word, "X")}, true, 0,
       {stored_text(access_word, "")}},
      {"an empty text passed untouched stays as it was", WORD + Keys{E, E, E, E, E, E}, {}, true, 0,
       {stored_text(protected_text_1, ""), {256 + 10, 0x77}}},
  };
  for (const auto& c : cases) run_walk(c, edit_protected);
}

TEST_F(GuardedDialogs, ProtectedValuesVanishAWrongWordStays) {
  // A text without terminator fills all 32 bytes and is shown 32 wide.
  for (int i = 0; i < 32; ++i) original[static_cast<size_t>(288 + i)] = static_cast<uint8_t>('a' + i % 26);
  // Accepted as it is, or shortened by Del (which leaves its last character
  // in the 32nd column): either way nothing of it stays on screen.
  const struct {
    std::vector<int> keys;
    std::string stored;
  } cases[] = {
      {{E}, bytes(original)},
      {{key::LEFT, key::DEL, E}, bytes(original).replace(288 + 31, 1, 1, '\0')},
  };
  for (const auto& c : cases) {
    reset_record();
    console.type("Key9\r\r\r\r\r");
    for (int k : c.keys) console.press(k);
    edit_protected();
    EXPECT_EQ(first_difference(file(), c.stored), "");
    for (int row = 14; row <= 17; ++row) EXPECT_EQ(screen_text(row, 25, 56), std::string(32, ' ')) << row;
  }
  console.type("nope\r");
  edit_protected();
  EXPECT_EQ(screen_text(14, 25, 29), "nope ");
  EXPECT_EQ(screen_attr(25, 14), palette_attr(slot::PROTECTED)) << "fields in the slot as stored";
  EXPECT_EQ(screen_attr(20, 13), palette_attr(slot::PROTECTED) & 0x7F) << "the frame without the blink bit";
}

TEST_F(GuardedDialogs, ServiceLine) {
  const WalkCase cases[] = {
      {"Enter on the untouched line writes it as it was", {E}, {}, true},
      {"an emptied line keeps the old text and still writes", {X, E}, {}, true},
      {"Esc after typing stores and writes nothing", {'x', key::ESC}, {}, false},
      {"Up accepts like Enter", {'2', key::UP}, {stored_text(heading_line(0), "Service 12")}, true},
  };
  for (const auto& c : cases) run_walk(c, edit_service_line);
  EXPECT_EQ(screen_text(7, 4, 34), "Service 12" + std::string(21, ' '));
  // A line of all 32 bytes, shortened by one: its 32nd column is cleared.
  run_walk({"a 32-byte line shortened", {key::BACKSPACE, E}, {stored_text(heading_line(0), std::string(31, 'S'))},
            true, 0, {{0, std::string(32, 'S')}}},
           edit_service_line);
  EXPECT_EQ(screen_text(7, 4, 35), std::string(31, 'S') + " ");
}

TEST_F(GuardedDialogs, OptionFlagsB) {
  const WalkCase cases[] = {
      {"Esc at once still writes", {key::ESC}, {}, true},
      {"bit 3 toggled, then Esc stores it", {key::DOWN, key::DOWN, key::DOWN, ' ', key::ESC}, {{944, 0x0D}}, true},
      {"Up on bit 0 wraps to bit 7", {key::UP, ' ', E}, {{944, 0x85}}, true},
      {"Down on bit 7 wraps to bit 0; other keys ignored", {'a', key::UP, key::DOWN, key::TAB, ' ', E},
       {{944, 0x04}}, true},
  };
  for (const auto& c : cases) run_walk(c, edit_option_flags_b);
  EXPECT_EQ(screen_text(10, 22, 30), "[ ] L96  ") << "no bit values";
}

TEST_F(GuardedDialogs, FailedSaveIsShown) {
  for (auto dialog : {edit_option_flags_b, edit_service_line, edit_protected}) {
    MessageSpy spy;
    spy.type("Key9\r\r\r\r\r\r");
    set_console_backend(&spy);
    close_company_file();
    dialog();
    EXPECT_EQ(spy.shown.substr(0, 27), "Record not saved: Bad file ") << spy.shown;
    EXPECT_EQ(spy.bells, 1);
  }
}

}  // namespace
