#include "dialogs/dispatch.h"

// Items whose dialogs are not built yet stay null and do nothing.
const DialogTable& menu_dialogs() noexcept {
  static const DialogTable table{};
  return table;
}
