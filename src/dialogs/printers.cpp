// The printer submenu and the printer-name dialog. A name cannot be emptied:
// an emptied field is offered again. An untouched one (even an empty stored
// name) is passed by unchanged.
#include "dialogs/printers.h"

#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "dialogs/submenu.h"
#include "console/record_save.h"
#include "data/catalogue.h"
#include "platform/screen.h"

namespace {

constexpr int SUBMENU_LINE = 105;
constexpr int NAMES_TITLE = 106, FIRST_NAME_HINT = 29;
constexpr int NAMES = 2;
const std::string NAME_TEMPLATE(31, '<');

int printer_menu_last = 0;

}  // namespace

void reset_printer_menu() { printer_menu_last = 0; }

void printer_menu() {
  run_submenu(SUBMENU_LINE, printer_menu_last, {edit_printer_names, edit_printer_codes, edit_printer_params});
}

void edit_printer_names() {
  const int attr = palette_attr(slot::PRINTER_NAMES);
  draw_frame(frame::SHADOWED, 2, 13, 36, 16, attr, catalogue_line(NAMES_TITLE));
  int n = 0;
  while (n < NAMES) {
    const Field name = field::printer_name_line(n);
    const FieldExit exit = edit_field(FIRST_NAME_HINT + n, attr, get_text(setup_record(), name),
                                      edit_mode::CONTENT_START, 4, 14 + n, NAME_TEMPLATE);
    if (exit == FieldExit::leave) return;
    if (exit == FieldExit::back) {
      if (n == 0) return;
      --n;
      continue;
    }
    if (edit_changed()) {
      if (edit_buffer().empty()) continue;  // a name cannot be emptied: offer it again
      set_text(setup_record(), name, edit_buffer());
    }
    gotoxy(4, 14 + n);
    cprintf("%-31s ", get_text(setup_record(), name).c_str());
    ++n;
  }
  save_record("printer names");
}

void edit_printer_params() { param_set_dialog(field::printer_params); }
void edit_aux_params() { param_set_dialog(field::aux_params); }
