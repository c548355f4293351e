// The parameter-set dialog behind both printer_params and aux_params: a row
// chooser (no wrap; End saves without editing; Esc does nothing there) and
// then the eight values of the chosen row: a value the operator changed is
// stored modulo 256, an untouched one keeps its byte. Both tables share
// active_set, which the header box's printer line follows.
#include <cstdlib>
#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "dialogs/printers.h"
#include "dialogs/row_chooser.h"
#include "platform/screen.h"
#include "shell/header.h"

namespace {

constexpr int TITLE = 108, CHOOSER_HINT = 57, FIRST_VALUE_HINT = 58;
constexpr int VALUES = 8;
constexpr int FIRST_ROW = 20;

int value_column(int j) { return 5 + 4 * j; }

RowChooser row_chooser() {
  return RowChooser{field::active_set, 3, FIRST_ROW, palette_attr(slot::PRINTER_NAMES),
                    palette_attr(slot::PRINTER_CODES), CHOOSER_HINT};
}

void draw_table(Field table, int chosen) {
  draw_frame(frame::SHADOWED, 2, 19, 36, 22, palette_attr(slot::PRINTER_CODES), catalogue_line(TITLE));
  print_row_labels(row_chooser(), chosen);
  for (int i = 0; i < 2; ++i) {
    textattr(palette_attr(slot::PRINTER_CODES));
    for (int j = 0; j < VALUES; ++j) {
      gotoxy(value_column(j), FIRST_ROW + i);
      cprintf("%-3d", get_byte(setup_record(), field::param_row(table, i), j));
    }
  }
}

// False when the operator leaves without completing the row.
bool edit_values(Field table) {
  const int b = active_param_row(setup_record());
  const Field row = field::param_row(table, b);
  int k = 0;
  while (k < VALUES) {
    const FieldExit exit = edit_field(FIRST_VALUE_HINT + k, palette_attr(slot::PRINTER_CODES),
                                      std::to_string(get_byte(setup_record(), row, k)), edit_mode::EMPTY_START,
                                      value_column(k), FIRST_ROW + b, "###");
    if (exit == FieldExit::leave) return false;
    if (exit == FieldExit::back) {
      if (--k < 0) return false;
      continue;
    }
    if (edit_changed()) set_byte(setup_record(), row, k, static_cast<uint8_t>(std::atoi(edit_buffer().c_str()) & 0xFF));
    gotoxy(value_column(k), FIRST_ROW + b);
    cprintf("%-3d", get_byte(setup_record(), row, k));
    ++k;
  }
  return true;
}

}  // namespace

void param_set_dialog(Field table) {
  draw_table(table, active_param_row(setup_record()));
  if (choose_row(row_chooser()) == chooser::EDIT && !edit_values(table)) return;
  save_record(table.offset == field::printer_params.offset ? "printer params" : "aux params");
  draw_header();
}
