// The printer submenu and the printer-name dialog. A name cannot be emptied:
// an emptied field is offered again. An untouched one (even an empty stored
// name) is passed by unchanged.
#include "dialogs/printers.h"

#include <string>
#include <vector>

#include "console/field_walk.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "data/catalogue.h"
#include "data/catalogue_map.h"
#include "dialogs/submenu.h"
#include "platform/screen.h"

namespace {

using namespace catalogue_map;

constexpr int NAMES = 2;
constexpr int NAME_COLUMN = 4, NAME_ROW_0 = 14;  // name n stands on row 14 + n
const std::string NAME_TEMPLATE(31, '<');

int printer_menu_last = 0;

void print_name(Field name, int row) {
  gotoxy(NAME_COLUMN, row);
  cprintf("%-31s ", get_text(setup_record(), name).c_str());
}

// A name the operator emptied is offered again.
bool take_name(Field name) {
  if (!edit_changed()) return true;
  if (edit_buffer().empty()) return false;
  set_text(setup_record(), name, edit_buffer());
  return true;
}

std::vector<WalkField> name_fields(int attr) {
  std::vector<WalkField> fields;
  for (int n = 0; n < NAMES; ++n) {
    const Field name = field::printer_name_line(n);
    const int row = NAME_ROW_0 + n;
    fields.push_back({NAME_COLUMN, row, FIRST_PRINTER_NAME_HINT + n, NAME_TEMPLATE, edit_mode::CONTENT_START, attr,
                      [name] { return get_text(setup_record(), name); }, [name] { return take_name(name); },
                      [name, row] { print_name(name, row); }});
  }
  return fields;
}

}  // namespace

void reset_printer_menu() { printer_menu_last = 0; }

void printer_menu() {
  run_submenu(PRINTER_POPUP.title, printer_menu_last, {edit_printer_names, edit_printer_codes, edit_printer_params});
}

void edit_printer_names() {
  const int attr = palette_attr(slot::PRINTER_NAMES);
  draw_frame(frame::SHADOWED, 2, 13, 36, 16, attr, entry_label(catalogue_line(PRINTER_NAMES_ENTRY)));
  if (walk_fields(name_fields(attr)) == WalkEnd::completed) save_record("printer names");
}

void edit_printer_params() { param_set_dialog(field::printer_params); }
void edit_aux_params() { param_set_dialog(field::aux_params); }
