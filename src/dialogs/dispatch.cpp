#include "dialogs/dispatch.h"

#include "dialogs/currencies.h"
#include "dialogs/digit_rows.h"
#include "dialogs/headings.h"
#include "dialogs/options.h"
#include "dialogs/printers.h"

// Items whose dialogs are not built yet stay null and do nothing.
const DialogTable& menu_dialogs() noexcept {
  static const DialogTable table = [] {
    DialogTable t{};
    t[1] = heading_menu;
    t[2] = printer_menu;
    t[3] = edit_options;
    t[4] = edit_setup_ext;
    t[5] = edit_digit_rows;
    t[7] = edit_currencies;
    t[8] = edit_value_list;
    t[10] = edit_aux_params;
    return t;
  }();
  return table;
}
