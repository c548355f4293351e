#include "dialogs/dispatch.h"

#include "dialogs/currencies.h"
#include "dialogs/digit_rows.h"
#include "dialogs/headings.h"
#include "dialogs/option_flags_b.h"
#include "dialogs/options.h"
#include "dialogs/palettes.h"
#include "dialogs/printers.h"
#include "dialogs/protected_fields.h"

const DialogTable& menu_dialogs() noexcept {
  static const DialogTable table = [] {
    DialogTable t{};
    t[1] = heading_menu;
    t[2] = printer_menu;
    t[3] = edit_options;
    t[4] = edit_setup_ext;
    t[5] = edit_digit_rows;
    t[6] = edit_protected;
    t[7] = edit_currencies;
    t[8] = edit_value_list;
    t[9] = edit_option_flags_b;
    t[10] = edit_aux_params;
    t[11] = edit_palettes;
    t[12] = edit_service_line;  // the main loop offers it only in service mode
    return t;
  }();
  return table;
}
