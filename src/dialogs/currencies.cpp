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

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "platform/screen.h"
#include "shell/menu_bar.h"

namespace {

constexpr int ROWS = 12;
constexpr int FIRST_ROW = 7;
constexpr int CODE_COLUMN = 15, RATE_COLUMN = 19;
constexpr int CODE_HINT = 34, RATE_HINT = 35;
constexpr const char* CODE_TEMPLATE = "<<<";
constexpr const char* RATE_TEMPLATE = "######.######";
constexpr int RATE_DIGITS = 10;

std::string code_of(int n) { return get_text(setup_record(), field::currency_code_at(n)); }
double rate_of(int n) { return get_double(setup_record(), field::currency_rate_at(n)); }

constexpr int RATE_WIDTH = 13;

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
    gotoxy(9, FIRST_ROW + i);
    cprintf(" %2d:  %-3s %s ", i, code_of(i).c_str(), shown_rate(rate_of(i)).c_str());
  }
}

// Returns false when the walk ends without completing.
bool walk_rows() {
  const int attr = palette_attr(slot::DIALOG);
  int n = 0;
  while (n < ROWS) {
    const int y = FIRST_ROW + n;
    FieldExit exit = edit_field(CODE_HINT, attr, code_of(n), edit_mode::CONTENT_START, CODE_COLUMN, y, CODE_TEMPLATE);
    if (exit == FieldExit::leave) return false;
    if (exit == FieldExit::back) {
      if (n == 0) return false;
      --n;
      continue;
    }
    store_changed_text(field::currency_code_at(n));
    gotoxy(CODE_COLUMN, y);
    cprintf("%-3s", code_of(n).c_str());

    exit = edit_field(RATE_HINT, attr, rate_text(rate_of(n)), edit_mode::CONTENT_START, RATE_COLUMN, y, RATE_TEMPLATE);
    if (exit == FieldExit::leave) return false;
    if (exit == FieldExit::back) continue;  // back to this row's code
    if (edit_changed() && !edit_buffer().empty())
      set_double(setup_record(), field::currency_rate_at(n), std::strtod(edit_buffer().c_str(), nullptr));
    gotoxy(RATE_COLUMN, y);
    cputs(shown_rate(rate_of(n)).c_str());
    ++n;
  }
  return true;
}

}  // namespace

void edit_currencies() {
  draw_table();
  if (walk_rows()) save_record("currencies");
}
