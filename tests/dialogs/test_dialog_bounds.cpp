// Random keys through every dialog: whatever is typed, a dialog changes only
// the bytes of its own fields, in memory and in the file.
#include <gtest/gtest.h>

#include <random>

#include "data/setup_record.h"
#include "dialogs/currencies.h"
#include "dialogs/digit_rows.h"
#include "dialogs/headings.h"
#include "dialogs/palettes.h"
#include "dialogs/option_flags_b.h"
#include "dialogs/options.h"
#include "dialogs/printers.h"
#include "dialogs/protected_fields.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

// Once the random script is used up, Esc and End lead out of any dialog
// (End ends the parameter-row chooser, where Esc does nothing).
struct RandomConsole : ScriptedConsole {
  int fallbacks = 0;
  int read_byte() noexcept override {
    if (keys.empty()) {
      if (++fallbacks > 300) {
        ADD_FAILURE() << "the dialog does not end";
        std::abort();
      }
      keys.insert(keys.end(), {27, 0, key::scan::END});
    }
    return ScriptedConsole::read_byte();
  }
  bool key_ready(int) noexcept override { return false; }
};

const int KEY_POOL[] = {'a',        'Z',      '0',       '7',      '9',        '.',          '-',      ' ',
                        'H',        'P',      'O',       0x85,     key::ENTER, key::ENTER,   key::TAB, key::BACKSPACE,
                        key::DEL,   key::CTRL_X, key::RIGHT, key::DOWN, key::HOME, key::END, key::INS, key::CTRL_DEL,
                        key::F1,    key::PGUP, '1',      '2',      'f',        key::ENTER,   key::DOWN, key::TAB};
// Keys that lead out of or back through a dialog: rarer, so that walks
// also get to the end.
const int LEAVING_KEYS[] = {key::ESC, key::UP, key::LEFT};

struct Span {
  int from, to;  // inclusive
};

struct DialogCase {
  const char* name;
  void (*dialog)();
  std::vector<Span> fields;
  bool saves_changes;  // random keys are expected to complete it now and then
};

class DialogBounds : public DialogTest {};

// Random keys never type the pattern record's access word: with an empty one
// in memory, an Enter first opens the guarded fields.
void protected_with_empty_access_word() {
  set_text(setup_record(), field::access_word, "");
  edit_protected();
}

TEST_F(DialogBounds, RandomKeysStayInsideTheDialogsFields) {
  const DialogCase cases[] = {
      {"headings", edit_headings, {{32, 191}}, true},
      {"option flags A", edit_option_flags_a, {{954, 954}}, true},
      {"setup file", edit_setup_ext, {{864, 867}}, false},  // no SETUP file matches random text
      {"printer names", edit_printer_names, {{320, 383}}, true},
      {"printer codes", edit_printer_codes, {{544, 863}}, true},
      {"printer params", edit_printer_params, {{868, 868}, {870, 885}}, true},
      {"aux params", edit_aux_params, {{868, 868}, {886, 901}}, true},
      {"currencies", edit_currencies, {{400, 543}}, true},
      {"palettes", edit_palettes, {{955, 955}, {960, 1023}}, true},
      {"protected fields", protected_with_empty_access_word, {{192, 319}}, true},
      {"service line", edit_service_line, {{0, 31}}, true},
      {"option flags B", edit_option_flags_b, {{944, 944}}, true},
      {"options", edit_options, {{922, 941}, {946, 950}}, true},
      {"digit rows", edit_digit_rows, {{902, 921}, {942, 942}}, true},
      {"value list", edit_value_list, {{384, 391}}, true},
  };
  std::mt19937 random(20261208);
  for (const auto& c : cases) {
    int rounds_that_saved_a_change = 0;
    for (int round = 0; round < 40; ++round) {
      reset_record();
      RandomConsole keys;
      set_console_backend(&keys);
      const int count = 5 + static_cast<int>(random() % 300);
      for (int i = 0; i < count; ++i)
        keys.press(random() % 30 == 0 ? LEAVING_KEYS[random() % std::size(LEAVING_KEYS)]
                                      : KEY_POOL[random() % std::size(KEY_POOL)]);
      c.dialog();
      const std::string now = file();
      ASSERT_EQ(now.size(), 1024u) << c.name;
      if (now != bytes(original)) ++rounds_that_saved_a_change;
      for (int offset = 0; offset < 1024; ++offset) {
        bool inside = false;
        for (const Span& s : c.fields) inside = inside || (offset >= s.from && offset <= s.to);
        if (inside) continue;
        ASSERT_EQ(static_cast<uint8_t>(now[static_cast<size_t>(offset)]), original[static_cast<size_t>(offset)])
            << c.name << ": file byte " << offset << " in round " << round;
        ASSERT_EQ(setup_record()[static_cast<size_t>(offset)], original[static_cast<size_t>(offset)])
            << c.name << ": record byte " << offset << " in round " << round;
      }
    }
    if (c.saves_changes) {
      EXPECT_GT(rounds_that_saved_a_change, 0) << c.name << ": the random keys never completed the dialog";
    }
  }
}

}  // namespace
