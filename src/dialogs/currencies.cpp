// The currency table: a three-character code and a binary64 rate per row,
// walked field by field (code 0, rate 0, code 1 ...). Rates are offered as
// text with 10 significant digits; only a rate whose text the operator
// changed is read back, so an untouched rate keeps its bytes (more digits, a
// NaN's payload). A rate too wide for its 13 columns shows as stars. The
// record is written after the last rate.
#include "dialogs/currencies.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/dialog_field.h"
#include "console/field_walk.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "data/catalogue.h"
#include "data/catalogue_map.h"
#include "data/setup_record.h"
#include "platform/screen.h"
#include "shell/menu_bar.h"

namespace {

using namespace catalogue_map;

constexpr int ROWS = 12;
constexpr int FIRST_ROW = 7;  // row n of the table stands on row 7 + n
constexpr int NUMBER_COLUMN = 9, CODE_COLUMN = 15, RATE_COLUMN = 19;
constexpr const char* CODE_TEMPLATE = "<<<";
constexpr const char* RATE_TEMPLATE = "######.######";
constexpr int RATE_DIGITS = 10;
constexpr int RATE_WIDTH = 13;
// Back from a code goes to the code of the row before; back from a rate to
// its own code.
constexpr int CODE_BACK = 2, RATE_BACK = 1;

std::string code_of(int n) { return get_text(setup_record(), field::currency_code_at(n)); }
double rate_of(int n) { return get_double(setup_record(), field::currency_rate_at(n)); }

// The rate as the table shows it, "%13.6lf" or stars when that is wider.
std::string shown_rate(double rate) {
  char text[400];
  std::snprintf(text, sizeof text, "%*.6f", RATE_WIDTH, rate);
  return fit_number(text, RATE_WIDTH);
}

std::string rate_text(double rate) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", RATE_DIGITS, rate);
  return text;
}

void draw_table() {
  const int attr = palette_attr(slot::DIALOG);
  draw_frame(frame::SHADOWED, 8, 6, 34, 19, attr, catalogue_line(menu_item()));
  for (int i = 0; i < ROWS; ++i) {
    gotoxy(NUMBER_COLUMN, FIRST_ROW + i);
    cprintf(" %2d:  %-3s %s ", i, code_of(i).c_str(), shown_rate(rate_of(i)).c_str());
  }
}

bool take_rate(int n) {
  if (edit_changed() && !edit_buffer().empty())
    set_double(setup_record(), field::currency_rate_at(n), std::strtod(edit_buffer().c_str(), nullptr));
  return true;
}

// Code 0, rate 0, code 1 ... rate 11.
std::vector<WalkField> table_fields() {
  const int attr = palette_attr(slot::DIALOG);
  std::vector<WalkField> fields;
  for (int n = 0; n < ROWS; ++n) {
    const int y = FIRST_ROW + n;
    fields.push_back({CODE_COLUMN, y, CURRENCY_CODE_HINT, CODE_TEMPLATE, edit_mode::CONTENT_START, attr,
                      [n] { return code_of(n); },
                      [n] {
                        set_changed_text(field::currency_code_at(n));
                        return true;
                      },
                      [n, y] {
                        gotoxy(CODE_COLUMN, y);
                        cprintf("%-3s", code_of(n).c_str());
                      },
                      CODE_BACK});
    fields.push_back({RATE_COLUMN, y, CURRENCY_RATE_HINT, RATE_TEMPLATE, edit_mode::CONTENT_START, attr,
                      [n] { return rate_text(rate_of(n)); }, [n] { return take_rate(n); },
                      [n, y] {
                        gotoxy(RATE_COLUMN, y);
                        cputs(shown_rate(rate_of(n)).c_str());
                      },
                      RATE_BACK});
  }
  return fields;
}

}  // namespace

void edit_currencies() {
  draw_table();
  if (walk_fields(table_fields()) == WalkEnd::completed) save_record("currencies");
}
