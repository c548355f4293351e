// Rows of one-digit numbers, edited one position at a time with the
// position's label and number ("label nr.N", counted from 0) on the status
// line. The digit rows hold 0-5 (a larger value rings the bell and the
// position is offered again); their row chooser works like the parameter
// sets' and End saves the choice alone. The value list holds signed bytes:
// shown as -128..127, stored as the low 8 bits of what was typed.
//
// Each position opens empty (Enter brings back the stored value). A position
// the operator did not change stores nothing, so a stored value the field
// cannot show or take (0xFB in the value list, a 7 in a digit row) survives
// being stepped over. Up or Left on position 0 and Esc leave unwritten.
#include "dialogs/digit_rows.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "dialogs/row_chooser.h"
#include "platform/screen.h"
#include "shell/menu_bar.h"

namespace {

constexpr int DIGIT_ROWS_HINT = 68, DIGIT_LABEL = 67;
constexpr int VALUE_LIST_HINT = 75, EVEN_VALUE_LABEL = 76, ODD_VALUE_LABEL = 77;
constexpr int DIGIT_ROW_POSITIONS = 10, VALUES = 8;
constexpr int FIRST_DIGIT_ROW = 20, VALUE_ROW = 21;
constexpr int COLUMN_STEP = 3;
constexpr long NO_LIMIT = -1;

// One row of one-byte positions edited left to right.
struct DigitWalk {
  Field row;
  int count;
  int first_column, y;
  int attr;
  int even_label, odd_label;  // status-line labels of even and odd positions
  long limit;                 // largest value accepted, or NO_LIMIT
  bool is_signed;
};

int column(const DigitWalk& w, int p) { return w.first_column + COLUMN_STEP * p; }

int value_at(const DigitWalk& w, int p) {
  const uint8_t b = get_byte(setup_record(), w.row, p);
  return w.is_signed ? static_cast<int8_t>(b) : b;
}

void print_value(const DigitWalk& w, int p) {
  textattr(w.attr);
  gotoxy(column(w, p), w.y);
  cprintf("%-1d", value_at(w, p));
}

void show_position_prompt(const DigitWalk& w, int p) {
  show_hint(NO_HINT);
  gotoxy(1, 25);
  textattr(palette_attr(slot::STATUS_TEXT));
  cprintf("%s nr.%d", catalogue_line(p % 2 == 0 ? w.even_label : w.odd_label), p);
}

FieldExit edit_position(const DigitWalk& w, int p) {
  set_edit_buffer(std::to_string(value_at(w, p)));
  show_position_prompt(w, p);
  textattr(w.attr);
  return field_exit(line_edit(edit_mode::EMPTY_START, column(w, p), w.y, "#"));
}

// True when the walk reaches its end.
bool walk(const DigitWalk& w) {
  int p = 0;
  while (p < w.count) {
    const FieldExit exit = edit_position(w, p);
    if (exit == FieldExit::leave) return false;
    if (exit == FieldExit::back) {
      if (--p < 0) return false;
      continue;
    }
    if (edit_changed()) {
      const long v = std::atol(edit_buffer().c_str());
      if (w.limit != NO_LIMIT && v > w.limit) {
        putch('\a');
        continue;
      }
      set_byte(setup_record(), w.row, p, static_cast<uint8_t>(v & 0xFF));
    }
    print_value(w, p);
    ++p;
  }
  return true;
}

RowChooser digit_row_chooser() {
  return RowChooser{field::digit_row_sel, 3, FIRST_DIGIT_ROW, palette_attr(slot::PRINTER_NAMES),
                    palette_attr(slot::DIGIT_ROWS), NO_HINT};
}

DigitWalk digit_row_walk(int r) {
  return DigitWalk{field::digit_row(r), DIGIT_ROW_POSITIONS, 7, FIRST_DIGIT_ROW + r, palette_attr(slot::DIGIT_ROWS),
                   DIGIT_LABEL, DIGIT_LABEL, 5, false};
}

DigitWalk value_list_walk() {
  return DigitWalk{field::value_list, VALUES, 5, VALUE_ROW, palette_attr(slot::PROTECTED),
                   EVEN_VALUE_LABEL, ODD_VALUE_LABEL, NO_LIMIT, true};
}

void draw_digit_rows() {
  show_hint(DIGIT_ROWS_HINT);
  draw_frame(frame::SHADOWED, 2, 19, 36, 22, palette_attr(slot::DIGIT_ROWS), catalogue_line(menu_item()));
  const RowChooser c = digit_row_chooser();
  print_row_labels(c, chosen_row(c));
  for (int r = 0; r < 2; ++r) {
    const DigitWalk w = digit_row_walk(r);
    for (int p = 0; p < w.count; ++p) print_value(w, p);
  }
}

}  // namespace

void edit_digit_rows() {
  draw_digit_rows();
  const RowChooser c = digit_row_chooser();
  if (choose_row(c) == chooser::EDIT && !walk(digit_row_walk(chosen_row(c)))) return;
  save_record("digit rows");
}

void edit_value_list() {
  show_hint(VALUE_LIST_HINT);
  const DigitWalk w = value_list_walk();
  draw_frame(frame::SHADOWED, 2, 20, 29, 22, w.attr, catalogue_line(menu_item()));
  for (int p = 0; p < w.count; ++p) print_value(w, p);
  if (walk(w)) save_record("value list");
}
