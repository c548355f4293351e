// The protected fields, the service line and option flags B: each table row
// is a key script, the record it must leave in memory, and whether the file
// was written at all (a write of identical bytes counts).
#include <fcntl.h>
#include <sys/stat.h>

#include "data/company_file.h"
#include "dialogs/option_flags_b.h"
#include "dialogs/protected_fields.h"
#include "platform/keys.h"
#include "support/test_support.h"

namespace {

using namespace field;
constexpr time_t LONG_AGO = 1000000;
constexpr int E = key::ENTER, X = key::CTRL_X;

struct Case {
  const char* what;
  std::string typed;  // plain keys, before `keys`
  std::vector<int> keys;
  std::vector<std::pair<Field, std::string>> texts;  // stored texts expected in memory
  bool written;
};

std::string first_difference(const std::string& got, const std::string& wanted) {
  for (size_t i = 0; i < got.size() && i < wanted.size(); ++i)
    if (got[i] != wanted[i]) return "byte " + std::to_string(i) + ": " + hex(got.substr(i, 8));
  return got.size() == wanted.size() ? "" : "size " + std::to_string(got.size());
}

class GuardedDialogs : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
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
  // Runs one row; the file's time is set far back first, so that any write,
  // even of the same bytes, shows.
  void run(void (*dialog)(), const Case& c, SetupRecord memory) {
    reset_record();
    const timespec times[2] = {{LONG_AGO, 0}, {LONG_AGO, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, dir.file("DITTA.001").c_str(), times, 0), 0);
    console.type(c.typed);
    for (int k : c.keys) console.press(k);
    dialog();
    for (const auto& [f, text] : c.texts) set_text(memory, f, text);
    struct stat s {};
    ASSERT_EQ(stat(dir.file("DITTA.001").c_str(), &s), 0);
    EXPECT_EQ(s.st_mtim.tv_sec != LONG_AGO, c.written) << c.what << ": written";
    EXPECT_EQ(first_difference(bytes(setup_record()), bytes(memory)), "") << c.what << ": in memory";
    EXPECT_EQ(first_difference(file(), bytes(c.written ? memory : original)), "") << c.what << ": the file";
    EXPECT_TRUE(console.keys.empty()) << c.what << ": keys left over";
  }
};

TEST_F(GuardedDialogs, Protected) {
  const Case cases[] = {
      {"wrong letter case ends at once", "key9", {E}, {}, false},
      {"Esc at the access word", "Key9", {key::ESC}, {}, false},
      {"Esc at the new word", "Key9", {E, key::ESC}, {}, false},
      {"Enter twice at the new word, untouched texts keep their bytes", "Key9", {E, E, E, E, E, E}, {}, true},
      {"an emptied text is offered again; Tab accepts", "Key9", {E, E, E, E, X, E, key::TAB, key::TAB}, {}, true},
      {"Tab and Down on the untouched new word and texts keep them", "Key9",
       {E, key::TAB, key::DOWN, key::TAB, key::DOWN}, {}, true},
      {"an emptied new word asks again", "Key9",
       {E, 'W', key::BACKSPACE, key::TAB, 'V', E, E, E, E}, {{access_word, "V"}}, true},
      {"all four typed; Up accepts, no way back", "Key9",
       {E, X, 'W', key::UP, X, 'A', key::UP, X, 'B', key::DOWN, X, 'C', key::F1},
       {{access_word, "W"}, {protected_text_0, "A"}, {protected_text_1, "B"}, {protected_text_2, "C"}}, true},
      {"Esc at the third text after changing the other three", "Key9",
       {E, E, 'N', E, X, 'A', E, X, 'B', E, X, 'C', key::ESC},
       {{access_word, "Key9N"}, {protected_text_0, "A"}, {protected_text_1, "B"}}, false},
  };
  for (const auto& c : cases) run(edit_protected, c, original);
  SetupRecord no_word = original;
  set_text(no_word, access_word, "");
  original = no_word;
  run(edit_protected, {"an empty access word opens on Enter", "", {E, 'X', E, E, E, E}, {{access_word, "X"}}, true},
      original);
  original = SetupRecord{};
  set_text(original, access_word, "Key9");
  original[256 + 10] = 0x77;  // an empty text with a byte after its terminator
  run(edit_protected, {"an empty text passed untouched stays as it was", "Key9", {E, E, E, E, E, E}, {}, true},
      original);
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
  const Case cases[] = {
      {"Enter on the untouched line writes it as it was", "", {E}, {}, true},
      {"an emptied line keeps the old text and still writes", "", {X, E}, {}, true},
      {"Esc after typing stores and writes nothing", "x", {key::ESC}, {}, false},
      {"Up accepts like Enter", "2", {key::UP}, {{heading_line(0), "Service 12"}}, true},
  };
  for (const auto& c : cases) run(edit_service_line, c, original);
  EXPECT_EQ(screen_text(7, 4, 34), "Service 12" + std::string(21, ' '));
  // A line of all 32 bytes, shortened by one: its 32nd column is cleared.
  for (int i = 0; i < 32; ++i) original[static_cast<size_t>(i)] = 'S';
  run(edit_service_line, {"a 32-byte line shortened", "", {key::BACKSPACE, E}, {{heading_line(0), std::string(31, 'S')}}, true},
      original);
  EXPECT_EQ(screen_text(7, 4, 35), std::string(31, 'S') + " ");
}

TEST_F(GuardedDialogs, OptionFlagsB) {
  const struct {
    Case c;
    uint8_t stored;
  } cases[] = {
      {{"Esc at once still writes", "", {key::ESC}, {}, true}, 0x05},
      {{"bit 3 toggled, then Esc stores it", "", {key::DOWN, key::DOWN, key::DOWN, ' ', key::ESC}, {}, true}, 0x0D},
      {{"Up on bit 0 wraps to bit 7", "", {key::UP, ' ', E}, {}, true}, 0x85},
      {{"Down on bit 7 wraps to bit 0; other keys ignored", "a", {key::UP, key::DOWN, key::TAB, ' ', E}, {}, true},
       0x04},
  };
  for (const auto& [c, stored] : cases) {
    SetupRecord memory = original;
    memory[944] = stored;
    run(edit_option_flags_b, c, memory);
  }
  EXPECT_EQ(console.bells, 0);
  EXPECT_EQ(screen_text(10, 22, 30), "[ ] L96  ") << "no bit values";
}

TEST_F(GuardedDialogs, FailedSaveIsShown) {
  struct Spy : ScriptedConsole {
    std::string message;
    bool key_ready(int) noexcept override {
      message = screen_text(25, 41, 80);
      return !keys.empty();
    }
  };
  for (auto dialog : {edit_option_flags_b, edit_service_line, edit_protected}) {
    Spy spy;
    spy.type("Key9\r\r\r\r\r\r");
    set_console_backend(&spy);
    close_company_file();
    dialog();
    EXPECT_NE(spy.message.find("Bad file descriptor"), std::string::npos) << spy.message;
    EXPECT_EQ(spy.bells, 1);
  }
}

}  // namespace
