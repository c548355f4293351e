// The protected fields, the service line and option flags B: each table row
// is a key script, the record it must leave in memory, and whether the file
// was written at all (a write of identical bytes counts).
#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "console/line_editor.h"
#include "data/company_file.h"
#include "data/setup_record.h"
#include "dialogs/option_flags_b.h"
#include "dialogs/protected_fields.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

constexpr time_t LONG_AGO = 1000000;

std::string first_difference(const std::string& got, const std::string& wanted) {
  if (got.size() != wanted.size()) return "size " + std::to_string(got.size());
  for (size_t i = 0; i < got.size(); ++i)
    if (got[i] != wanted[i])
      return "byte " + std::to_string(i) + ": " + hex(got.substr(i, 8)) + " instead of " + hex(wanted.substr(i, 8));
  return "";
}

struct TextChange {
  Field field;
  std::string text;
};

class GuardedDialogs : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    set_text(original, field::access_word, "Key9");
    set_text(original, field::protected_text_0, "Alpha");
    set_text(original, field::protected_text_1, "Beta");
    set_text(original, field::protected_text_2, "Gamma");
    set_text(original, field::heading_line(0), "Service 1");
    // Bytes after a terminator that only a changed field may clear.
    original[224 + 8] = 0x55;
    original[256 + 10] = 0x77;
    original[0 + 20] = 0x66;
    original[944] = 0x05;
    reset_record();
  }
  // The file's modification time is set far back, so that any write, even
  // of the same bytes, shows as a newer one.
  void reset_and_watch() {
    reset_record();
    const timespec times[2] = {{LONG_AGO, 0}, {LONG_AGO, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, dir.file("DITTA.001").c_str(), times, 0), 0);
  }
  bool written() const {
    struct stat s {};
    EXPECT_EQ(stat(dir.file("DITTA.001").c_str(), &s), 0);
    return s.st_mtim.tv_sec != LONG_AGO;
  }
  SetupRecord with(const std::vector<TextChange>& changes) const {
    SetupRecord r = original;
    for (const auto& c : changes) set_text(r, c.field, c.text);
    return r;
  }
  // The checks every row of the tables below shares.
  void check(const char* what, const SetupRecord& memory, bool expect_written) {
    EXPECT_EQ(first_difference(bytes(setup_record()), bytes(memory)), "") << what << ": the record in memory";
    EXPECT_EQ(written(), expect_written) << what;
    EXPECT_EQ(first_difference(file(), bytes(expect_written ? memory : original)), "") << what << ": the file";
    EXPECT_TRUE(console.keys.empty()) << what << ": keys left over";
  }
};

TEST_F(GuardedDialogs, ProtectedWalks) {
  using namespace field;
  struct Case {
    const char* what;
    std::vector<int> keys;
    std::string typed_first;  // typed before the keys
    std::vector<TextChange> memory;
    bool written;
  };
  const int E = key::ENTER;
  const Case cases[] = {
      {"wrong letter case ends at once", {E}, "key9", {}, false},
      {"a word that only starts right ends at once", {E}, "Key", {}, false},
      {"Esc at the access word", {key::ESC}, "Key9", {}, false},
      {"Enter twice at the new word, Enter through the texts", {E, E, E, E, E, E}, "Key9", {}, true},
      {"Tab through the texts keeps them as well", {E, E, E, key::TAB, key::DOWN, key::F1}, "Key9", {}, true},
      {"new word and texts typed; Up accepts, no way back",
       {E, key::CTRL_X, 'W', '1', key::UP, key::CTRL_X, 'P', '0', key::UP, key::CTRL_X, 'P', '1', key::DOWN,
        key::CTRL_X, 'P', '2', key::F1},
       "Key9",
       {{access_word, "W1"}, {protected_text_0, "P0"}, {protected_text_1, "P1"}, {protected_text_2, "P2"}},
       true},
      {"an emptied text is offered again", {E, E, E, E, key::CTRL_X, E, E, E}, "Key9", {}, true},
      {"an empty new word asks again; the recall is then empty too", {E, key::TAB, E, 'W', E, E, E, E}, "Key9",
       {{access_word, "W"}}, true},
      {"Esc at the third text after changing the other three",
       {E, E, 'N', E, key::CTRL_X, 'A', E, key::CTRL_X, 'B', E, key::CTRL_X, 'C', key::ESC}, "Key9",
       {{access_word, "Key9N"}, {protected_text_0, "A"}, {protected_text_1, "B"}}, false},
      {"Esc at the new word", {key::ESC}, "Key9\r", {}, false},
  };
  for (const auto& c : cases) {
    reset_and_watch();
    console.type(c.typed_first);
    for (int k : c.keys) console.press(k);
    edit_protected();
    check(c.what, with(c.memory), c.written);
  }
}

TEST_F(GuardedDialogs, EmptyAccessWordOpensOnEnter) {
  set_text(original, field::access_word, "");
  reset_and_watch();
  console.press({key::ENTER, 'X', key::ENTER, key::ENTER, key::ENTER, key::ENTER});
  edit_protected();
  check("empty access word", with({{field::access_word, "X"}}), true);
}

TEST_F(GuardedDialogs, AcceptedValuesVanishAWrongWordStays) {
  console.type("Key9\r\r\r\r\r\r");
  edit_protected();
  for (int row = 14; row <= 17; ++row) EXPECT_EQ(screen_text(row, 25, 55), std::string(31, ' ')) << row;
  EXPECT_EQ(screen_text(25, 1, 39), std::string(39, ' ')) << "the hint is cleared";
  console.type("nope\r");
  edit_protected();
  EXPECT_EQ(screen_text(14, 25, 29), "nope ");
  EXPECT_EQ(screen_attr(25, 14), palette_attr(slot::PROTECTED)) << "fields in the slot as stored";
  EXPECT_EQ(screen_attr(20, 13), palette_attr(slot::PROTECTED) & 0x7F) << "the frame without the blink bit";
}

TEST_F(GuardedDialogs, ServiceLine) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    std::string stored;  // "" : heading[0] keeps its bytes
    bool written;
  };
  const Case cases[] = {
      {"Enter on the untouched line writes it as it was", {key::ENTER}, "", true},
      {"an emptied line keeps the old text and still writes", {key::CTRL_X, key::ENTER}, "", true},
      {"a new text", {key::CTRL_X, 'S', 'v', key::ENTER}, "Sv", true},
      {"Up accepts like Enter", {'2', key::UP}, "Service 12", true},
      {"Esc writes nothing", {key::ESC}, "", false},
      {"Esc after typing writes and stores nothing", {'x', key::ESC}, "", false},
  };
  for (const auto& c : cases) {
    reset_and_watch();
    for (int k : c.keys) console.press(k);
    edit_service_line();
    const SetupRecord memory = c.stored.empty() ? original : with({{field::heading_line(0), c.stored}});
    check(c.what, memory, c.written);
    if (c.keys.back() != key::ESC) {
      EXPECT_EQ(screen_text(7, 4, 34), get_text(memory, field::heading_line(0)) +
                                           std::string(31 - get_text(memory, field::heading_line(0)).size(), ' '))
          << c.what;
    }
  }
}

TEST_F(GuardedDialogs, OptionFlagsB) {
  struct Case {
    const char* what;
    std::vector<int> keys;
    uint8_t stored;
  };
  const Case cases[] = {
      {"Enter without toggling", {key::ENTER}, 0x05},
      {"Esc at once still writes", {key::ESC}, 0x05},
      {"bit 3 toggled, then Esc stores it", {key::DOWN, key::DOWN, key::DOWN, ' ', key::ESC}, 0x0D},
      {"Up on bit 0 wraps to bit 7", {key::UP, ' ', key::ENTER}, 0x85},
      {"Down on bit 7 wraps to bit 0", {key::UP, key::DOWN, ' ', key::ENTER}, 0x04},
      {"Space twice leaves the bit", {key::DOWN, ' ', ' ', key::ESC}, 0x05},
      {"other keys are ignored", {'a', key::TAB, key::LEFT, key::RIGHT, key::DOWN, key::DOWN, ' ', key::ENTER}, 0x01},
  };
  for (const auto& c : cases) {
    reset_and_watch();
    for (int k : c.keys) console.press(k);
    edit_option_flags_b();
    SetupRecord memory = original;
    memory[944] = c.stored;
    check(c.what, memory, true);
    EXPECT_EQ(console.bells, 0) << c.what;
  }
}

TEST_F(GuardedDialogs, OptionFlagsBRowsHaveNoBitValues) {
  console.press(key::ESC);
  edit_option_flags_b();
  EXPECT_NE(screen_text(9, 20, 55).find(" L95 "), std::string::npos) << screen_text(9, 20, 55);
  EXPECT_EQ(screen_text(10, 22, 30), "[X] L96  ");
  EXPECT_EQ(screen_text(11, 22, 30), "[ ] L97  ");
  EXPECT_EQ(screen_text(17, 22, 31), "[ ] L103  ");
  EXPECT_EQ(screen_text(25, 1, 4), "L104");
}

TEST_F(GuardedDialogs, FailedSaveIsShown) {
  struct Case {
    const char* what;
    void (*dialog)();
    std::string keys;
  };
  const Case cases[] = {
      {"option flags B", edit_option_flags_b, "\r"},
      {"service line", edit_service_line, "\r"},
      {"protected fields", edit_protected, "Key9\r\r\r\r\r\r"},
  };
  for (const auto& c : cases) {
    std::string message;
    struct Spy : ScriptedConsole {
      std::string* message;
      bool key_ready(int) noexcept override {
        *message = screen_text(25, 41, 80);
        return !keys.empty();
      }
    } spy;
    spy.message = &message;
    spy.type(c.keys);
    set_console_backend(&spy);
    close_company_file();
    c.dialog();
    EXPECT_NE(message.find("Bad file descriptor"), std::string::npos) << c.what << ": " << message;
    EXPECT_EQ(spy.bells, 1) << c.what;
    reset_record();
  }
}

}  // namespace
