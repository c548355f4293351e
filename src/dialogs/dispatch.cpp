#include "dialogs/dispatch.h"

#include "dialogs/currencies.h"

// Items whose dialogs are not built yet stay null and do nothing.
const DialogTable& menu_dialogs() noexcept {
  static const DialogTable table = [] {
    DialogTable t{};
    t[7] = edit_currencies;
    return t;
  }();
  return table;
}
