#include "dialogs/submenu.h"

#include "console/frames.h"
#include "console/popup_menu.h"
#include "data/setup_record.h"

void run_submenu(int title_line, int& last, std::initializer_list<SubmenuDialog> dialogs) {
  const int count = static_cast<int>(dialogs.size()) + 1;
  const int choice = popup_menu(frame::SHADOWED, 3, 6, palette_attr(slot::SUBMENU), catalogue_lines(title_line, count),
                                last + 1);
  if (choice == POPUP_CANCELLED) return;
  last = choice - 1;
  dialogs.begin()[last]();
}
