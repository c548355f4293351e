// A field the operator did not change keeps its bytes, in every dialog and
// for every kind of field; a changed field is stored as its dialog says.
#include <cstring>

#include "data/setup_record.h"
#include "dialogs/currencies.h"
#include "dialogs/dialog_walk.h"
#include "dialogs/headings.h"
#include "dialogs/printers.h"
#include "platform/keys.h"

namespace {

// One row: a walk of `dialog`.
struct RuleCase {
  void (*dialog)();
  WalkCase walk;
};

std::string binary64(double value) {
  std::string bytes(8, '\0');
  SetupRecord r{};
  set_double(r, Field{0, 8}, value);
  std::memcpy(bytes.data(), r.data(), 8);
  return bytes;
}

constexpr int F2 = key::extended(key::scan::F1 + 1), F5 = key::extended(key::scan::F1 + 4);
const std::string QUIET_NAN_WITH_PAYLOAD("\x2a\x00\x00\x00\x00\x00\xf8\x7f", 8);
const Patch EXT_AB{864, std::string("AB\0z", 4)};

class FieldRule : public DialogWalkTest {
 protected:
  void SetUp() override {
    DialogWalkTest::SetUp();
    dir.write("SETUP.AB", "");
    dir.write("SETUP.DAT", "");
  }
  InDirectory in_dir{dir.path};
};

TEST_F(FieldRule, UntouchedFieldsKeepTheirBytes) {
  using namespace key;
  const int N = NOT_COUNTED;  // the test pattern holds bell bytes that these dialogs show
  const int rate0 = field::currency_rate_at(0).offset, code0 = field::printer_code(0, 0, 0).offset;
  const RuleCase cases[] = {
      // Text fields: garbage after the terminator, and lines with no terminator at all.
      {edit_headings, {"headings, Enter through", repeat({ENTER}, 5), {}, true, N, {{64, std::string("Acme\0xyz", 8)}}}},
      {edit_headings, {"headings, Tab, Down, F2", {TAB, DOWN, F2, TAB, DOWN}, {}, true, N}},
      {edit_headings, {"headings, a changed line is stored whole", {CTRL_X, 'N', 'e', 'w', ENTER, TAB, TAB, TAB, TAB},
                       {{32, std::string("New") + std::string(29, '\0')}}, true, N}},
      {edit_printer_names, {"printer names, Enter through", {ENTER, ENTER}, {}, true, 0, {{352, std::string("Lp\0zz", 5)}}}},
      {edit_printer_names, {"printer names, an empty stored name is passed", {ENTER, TAB}, {}, true, 0,
                            {{320, std::string("\0abc", 4)}}}},
      {edit_printer_names, {"printer names, an emptied name is offered again and kept", {CTRL_X, ENTER, ENTER, ENTER},
                            {}, true}},
      // Codes: 00 bytes inside and in front of a sequence.
      {edit_printer_codes, {"printer codes, Enter through", repeat({ENTER}, 21), {}, true, 0,
                            {{code0, std::string("\x1b\x33\x00\x41\0\0\0\0\0\x1b\0\0\0\0\0\0", 16)}}}},
      {edit_printer_codes, {"printer codes, Tab and Down through", Keys{ENTER} + repeat({TAB, DOWN}, 10), {}, true, 0,
                            {{code0, std::string("\x1b\x33\x00\x41", 4)}}}},
      {edit_printer_codes, {"printer codes, an extended code keeps its 00",
                            Keys{ENTER, '4', '2', ENTER} + repeat({ENTER}, 19),
                            {{code0, std::string("\x1b\x33\x00\x41\x42\0\0\0", 8)}}, true, 0,
                            {{code0, std::string("\x1b\x33\x00\x41\0\0\0\0", 8)}}}},
      // Numbers in fields that open empty.
      {edit_printer_params, {"parameters, Tab through", Keys{ENTER} + repeat({TAB}, 8), {}, true, N, {{868, 0}}}},
      {edit_printer_params, {"parameters, recall and accept", Keys{ENTER} + repeat({ENTER, ENTER}, 8), {}, true, N,
                             {{868, 0}}}},
      {edit_aux_params, {"parameters, Down and function keys", Keys{ENTER} + repeat({DOWN, F5}, 4), {}, true, N,
                         {{868, 1}}}},
      {edit_aux_params, {"parameters, active set 9 read as row 1", Keys{ENTER} + repeat({TAB}, 8), {}, true, N,
                         {{868, 9}}}},
      {edit_printer_params, {"parameters, typed then erased stores 0",
                             Keys{ENTER, '5', BACKSPACE, TAB} + repeat({TAB}, 7), {{870, 0}}, true, N, {{868, 0}}}},
      // Rates: more than 10 significant digits, a NaN with a payload, too wide to show.
      {edit_currencies, {"currencies, Enter through", repeat({ENTER}, 24), {}, true, N,
                         {{rate0, binary64(395.123456789012) + binary64(1.0 / 3.0) + QUIET_NAN_WITH_PAYLOAD +
                                      binary64(1e300)},
                          {400, std::string("EU\0x", 4)}}}},
      {edit_currencies, {"currencies, Tab and Down through", repeat({TAB, DOWN}, 12), {}, true, N,
                         {{rate0, binary64(1.0 / 3.0)}}}},
      {edit_currencies, {"currencies, a changed rate is stored",
                         Keys{ENTER, CTRL_X, '2', '.', '5', ENTER} + repeat({ENTER}, 22), {{rate0, binary64(2.5)}},
                         true, N, {{rate0, binary64(1.0 / 3.0)}}}},
      // The setup extension: tested before it reaches the record.
      {edit_setup_ext, {"setup extension, Tab keeps it", {TAB}, {}, true, 0, {EXT_AB}}},
      {edit_setup_ext, {"setup extension, recalled and accepted", {ENTER, ENTER}, {}, true, 0, {EXT_AB}}},
      {edit_setup_ext, {"setup extension, refused then left", text_keys("QQ") + Keys{ENTER, ESC}, {}, false, 1,
                        {EXT_AB}}},
      {edit_setup_ext, {"setup extension, refused then corrected",
                        text_keys("QQ") + Keys{ENTER} + text_keys("DAT") + Keys{ENTER},
                        {{864, std::string("DAT\0", 4)}}, true, 1, {EXT_AB}}},
      {edit_setup_ext, {"setup extension, a refused one recalled is refused again",
                        text_keys("QQ") + Keys{ENTER, ENTER, ENTER, ESC}, {}, false, 2, {EXT_AB}}},
      {edit_setup_ext, {"setup extension, Tab on a missing one", {TAB, TAB, ESC}, {}, false, 2,
                        {{864, std::string("ZZ\0z", 4)}}}},
  };
  for (const auto& c : cases) {
    reset_printer_menu();
    run_walk(c.walk, c.dialog);
  }
}

}  // namespace
