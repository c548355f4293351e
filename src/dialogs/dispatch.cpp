#include "dialogs/dispatch.h"

#include "dialogs/currencies.h"
#include "dialogs/headings.h"
#include "dialogs/palettes.h"
#include "dialogs/option_flags_b.h"
#include "dialogs/printers.h"
#include "dialogs/protected_fields.h"

// Items whose dialogs are not built yet stay null and do nothing.
const DialogTable& menu_dialogs() noexcept {
  static const DialogTable table = [] {
    DialogTable t{};
    t[1] = heading_menu;
    t[2] = printer_menu;
    t[4] = edit_setup_ext;
    t[6] = edit_protected;
    t[7] = edit_currencies;
    t[9] = edit_option_flags_b;
    t[10] = edit_aux_params;
    t[11] = edit_palettes;
    t[12] = edit_service_line;
    return t;
  }();
  return table;
}
