#include "dialogs/dispatch.h"

#include "dialogs/currencies.h"
#include "dialogs/headings.h"
#include "dialogs/palettes.h"
#include "dialogs/printers.h"

// Items whose dialogs are not built yet stay null and do nothing.
const DialogTable& menu_dialogs() noexcept {
  static const DialogTable table = [] {
    DialogTable t{};
    t[1] = heading_menu;
    t[2] = printer_menu;
    t[4] = edit_setup_ext;
    t[7] = edit_currencies;
    t[10] = edit_aux_params;
    t[11] = edit_palettes;
    return t;
  }();
  return table;
}
