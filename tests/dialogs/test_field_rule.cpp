// A field the operator did not change keeps its bytes, in every dialog and
// for every kind of field; a changed field is stored as its dialog says.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>

#include "data/setup_record.h"
#include "dialogs/currencies.h"
#include "dialogs/headings.h"
#include "dialogs/printers.h"
#include "platform/keys.h"
#include "support/test_support.h"

namespace {

using K = std::vector<int>;

struct Patch {
  int offset;
  std::string bytes;
};

struct RuleCase {
  const char* what;
  void (*dialog)();
  std::vector<Patch> record;    // over the test pattern
  std::vector<int> keys;
  std::vector<Patch> expected;  // over the record as set up; none: every byte as read
  bool written;
};

std::vector<int> times(int n, std::vector<int> unit) {
  std::vector<int> keys;
  for (int i = 0; i < n; ++i) keys.insert(keys.end(), unit.begin(), unit.end());
  return keys;
}

std::vector<int> operator+(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<int> typed(const std::string& text) { return std::vector<int>(text.begin(), text.end()); }

std::string binary64(double value) {
  std::string bytes(8, '\0');
  SetupRecord r{};
  set_double(r, Field{0, 8}, value);
  std::memcpy(bytes.data(), r.data(), 8);
  return bytes;
}

constexpr int F2 = key::extended(key::scan::F1 + 1), F5 = key::extended(key::scan::F1 + 4);
const std::string QUIET_NAN_WITH_PAYLOAD("\x2a\x00\x00\x00\x00\x00\xf8\x7f", 8);

class FieldRule : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_NE(getcwd(home, sizeof home), nullptr);
    ASSERT_EQ(chdir(dir.path.c_str()), 0);
    dir.write("SETUP.AB", "");
    dir.write("SETUP.DAT", "");
  }
  void TearDown() override {
    EXPECT_EQ(chdir(home), 0);
    DialogTest::TearDown();
  }
  char home[4096] = {};
};

TEST_F(FieldRule, UntouchedFieldsKeepTheirBytes) {
  using namespace key;
  const int rate0 = field::currency_rate_at(0).offset, code0 = field::printer_code(0, 0, 0).offset;
  const RuleCase cases[] = {
      // Text fields: garbage after the terminator, and lines with no terminator at all.
      {"headings, Enter through", edit_headings, {{64, std::string("Acme\0xyz", 8)}}, times(5, {ENTER}), {}, true},
      {"headings, Tab, Down, F2", edit_headings, {}, {TAB, DOWN, F2, TAB, DOWN}, {}, true},
      {"headings, a changed line is stored whole", edit_headings, {}, {CTRL_X, 'N', 'e', 'w', ENTER, TAB, TAB, TAB, TAB},
       {{32, std::string("New") + std::string(29, '\0')}}, true},
      {"printer names, Enter through", edit_printer_names, {{352, std::string("Lp\0zz", 5)}}, {ENTER, ENTER}, {}, true},
      {"printer names, an empty stored name is passed", edit_printer_names, {{320, std::string("\0abc", 4)}},
       {ENTER, TAB}, {}, true},
      {"printer names, an emptied name is offered again and kept", edit_printer_names, {}, {CTRL_X, ENTER, ENTER, ENTER},
       {}, true},
      // Codes: 00 bytes inside and in front of a sequence.
      {"printer codes, Enter through", edit_printer_codes,
       {{code0, std::string("\x1b\x33\x00\x41\0\0\0\0\0\x1b\0\0\0\0\0\0", 16)}}, times(21, {ENTER}), {}, true},
      {"printer codes, Tab and Down through", edit_printer_codes, {{code0, std::string("\x1b\x33\x00\x41", 4)}},
       K{ENTER} + times(10, {TAB, DOWN}), {}, true},
      {"printer codes, an extended code keeps its 00", edit_printer_codes,
       {{code0, std::string("\x1b\x33\x00\x41\0\0\0\0", 8)}}, K{ENTER, '4', '2', ENTER} + times(19, {ENTER}),
       {{code0, std::string("\x1b\x33\x00\x41\x42\0\0\0", 8)}}, true},
      // Numbers in fields that open empty.
      {"parameters, Tab through", edit_printer_params, {{868, std::string(1, '\0')}}, K{ENTER} + times(8, {TAB}), {},
       true},
      {"parameters, recall and accept", edit_printer_params, {{868, std::string(1, '\0')}},
       K{ENTER} + times(8, {ENTER, ENTER}), {}, true},
      {"parameters, Down and function keys", edit_aux_params, {{868, std::string(1, '\1')}},
       K{ENTER} + times(4, {DOWN, F5}), {}, true},
      {"parameters, active set 9 read as row 1", edit_aux_params, {{868, std::string(1, '\x09')}},
       K{ENTER} + times(8, {TAB}), {}, true},
      {"parameters, typed then erased stores 0", edit_printer_params, {{868, std::string(1, '\0')}},
       K{ENTER, '5', BACKSPACE, TAB} + times(7, {TAB}), {{870, std::string(1, '\0')}}, true},
      // Rates: more than 10 significant digits, a NaN with a payload, too wide to show.
      {"currencies, Enter through", edit_currencies,
       {{rate0, binary64(395.123456789012) + binary64(1.0 / 3.0) + QUIET_NAN_WITH_PAYLOAD + binary64(1e300)},
        {400, std::string("EU\0x", 4)}},
       times(24, {ENTER}), {}, true},
      {"currencies, Tab and Down through", edit_currencies, {{rate0, binary64(1.0 / 3.0)}}, times(12, {TAB, DOWN}), {},
       true},
      {"currencies, a changed rate is stored", edit_currencies, {{rate0, binary64(1.0 / 3.0)}},
       K{ENTER, CTRL_X, '2', '.', '5', ENTER} + times(22, {ENTER}), {{rate0, binary64(2.5)}}, true},
      // The setup extension: tested before it reaches the record.
      {"setup extension, Tab keeps it", edit_setup_ext, {{864, std::string("AB\0z", 4)}}, {TAB}, {}, true},
      {"setup extension, recalled and accepted", edit_setup_ext, {{864, std::string("AB\0z", 4)}}, {ENTER, ENTER}, {},
       true},
      {"setup extension, refused then left", edit_setup_ext, {{864, std::string("AB\0z", 4)}},
       typed("QQ") + K{ENTER, ESC}, {}, false},
      {"setup extension, refused then corrected", edit_setup_ext, {{864, std::string("AB\0z", 4)}},
       typed("QQ") + K{ENTER} + typed("DAT") + K{ENTER}, {{864, std::string("DAT\0", 4)}},
       true},
      {"setup extension, a refused one recalled is refused again", edit_setup_ext,
       {{864, std::string("AB\0z", 4)}}, typed("QQ") + K{ENTER, ENTER, ENTER, ESC}, {}, false},
      {"setup extension, Tab on a missing one", edit_setup_ext, {{864, std::string("ZZ\0z", 4)}}, {TAB, TAB, ESC}, {},
       false},
  };
  for (const auto& c : cases) {
    SetupRecord set_up = original;
    for (const Patch& p : c.record) std::memcpy(set_up.data() + p.offset, p.bytes.data(), p.bytes.size());
    SetupRecord expected = set_up;
    for (const Patch& p : c.expected) std::memcpy(expected.data() + p.offset, p.bytes.data(), p.bytes.size());
    const SetupRecord pattern = original;
    original = set_up;
    reset_record();
    original = pattern;
    reset_printer_menu();
    WriteWatch watch(dir.file("DITTA.001"));
    for (int k : c.keys) console.press(k);
    c.dialog();
    EXPECT_TRUE(console.keys.empty()) << c.what << ": keys left unread";
    EXPECT_EQ(hex(bytes(setup_record())), hex(bytes(expected))) << c.what << ": the record in memory";
    EXPECT_EQ(hex(file()), hex(bytes(c.written ? expected : set_up))) << c.what << ": the file";
    EXPECT_EQ(watch.written(), c.written) << c.what << ": whether the record was written";
  }
}

}  // namespace
