// The parameter-set dialog behind both printer_params and aux_params: a row
// chooser (no wrap; End saves without editing; Esc does nothing there) and
// then the eight values of the chosen row: a value the operator changed is
// stored modulo 256, an untouched one keeps its byte. Both tables share
// active_set, which the header box's printer line follows.
#include <cstdlib>
#include <string>
#include <vector>

#include "console/field_walk.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "data/catalogue_map.h"
#include "dialogs/printers.h"
#include "dialogs/row_chooser.h"
#include "platform/screen.h"
#include "shell/header.h"

namespace {

using namespace catalogue_map;

constexpr int VALUES = 8;
constexpr int FIRST_ROW = 20;

int value_column(int j) { return 5 + 4 * j; }

RowChooser row_chooser() {
  return RowChooser{field::active_set, 3, FIRST_ROW, palette_attr(slot::PRINTER_NAMES),
                    palette_attr(slot::PRINTER_CODES), PARAM_CHOOSER_HINT};
}

void print_value(Field row, int j, int y) {
  gotoxy(value_column(j), y);
  cprintf("%-3d", get_byte(setup_record(), row, j));
}

void draw_table(Field table, int chosen) {
  draw_frame(frame::SHADOWED, 2, 19, 36, 22, palette_attr(slot::PRINTER_CODES),
             entry_label(catalogue_line(PARAMETERS_ENTRY)));
  print_row_labels(row_chooser(), chosen);
  for (int i = 0; i < 2; ++i) {
    textattr(palette_attr(slot::PRINTER_CODES));
    for (int j = 0; j < VALUES; ++j) print_value(field::param_row(table, i), j, FIRST_ROW + i);
  }
}

// The eight values of the active row; a changed one is taken modulo 256.
std::vector<WalkField> value_fields(Field table) {
  const int b = active_param_row(setup_record());
  const Field row = field::param_row(table, b);
  const int y = FIRST_ROW + b;
  std::vector<WalkField> fields;
  for (int k = 0; k < VALUES; ++k) {
    fields.push_back({value_column(k), y, FIRST_PARAM_VALUE_HINT + k, "###", edit_mode::EMPTY_START,
                      palette_attr(slot::PRINTER_CODES),
                      [row, k] { return std::to_string(get_byte(setup_record(), row, k)); },
                      [row, k] {
                        if (edit_changed())
                          set_byte(setup_record(), row, k, static_cast<uint8_t>(std::atoi(edit_buffer().c_str()) & 0xFF));
                        return true;
                      },
                      [row, k, y] { print_value(row, k, y); }});
  }
  return fields;
}

}  // namespace

void param_set_dialog(Field table) {
  draw_table(table, active_param_row(setup_record()));
  if (choose_row(row_chooser()) == chooser::EDIT && walk_fields(value_fields(table)) != WalkEnd::completed) return;
  save_record(table.offset == field::printer_params.offset ? "printer params" : "aux params");
  draw_header();
}
