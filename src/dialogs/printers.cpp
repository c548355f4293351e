// The printer submenu and the printer-name dialog. A name cannot be emptied:
// an empty result offers the field again.
#include "dialogs/printers.h"

#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/popup_menu.h"
#include "console/record_save.h"
#include "data/catalogue.h"
#include "platform/screen.h"

namespace {

constexpr int SUBMENU_LINE = 105, SUBMENU_LINES = 4;
constexpr int NAMES_TITLE = 106, FIRST_NAME_HINT = 29;
constexpr int NAMES = 2;
const std::string NAME_TEMPLATE(31, '<');

int printer_menu_last = 0;

}  // namespace

void reset_printer_menu() { printer_menu_last = 0; }

void printer_menu() {
  const int choice = popup_menu(frame::SHADOWED, 3, 6, palette_attr(slot::SUBMENU),
                                catalogue_lines(SUBMENU_LINE, SUBMENU_LINES), printer_menu_last + 1);
  if (choice == POPUP_CANCELLED) return;
  printer_menu_last = choice - 1;
  switch (choice) {
    case 1: edit_printer_names(); break;
    case 2: edit_printer_codes(); break;
    case 3: edit_printer_params(); break;
    default: break;
  }
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
    if (edit_buffer().empty()) continue;  // a name cannot be emptied: offer it again
    set_text(setup_record(), name, edit_buffer());
    gotoxy(4, 14 + n);
    cprintf("%-31s ", edit_buffer().c_str());
    ++n;
  }
  save_record();
}

void edit_printer_params() { param_set_dialog(field::printer_params); }
void edit_aux_params() { param_set_dialog(field::aux_params); }
