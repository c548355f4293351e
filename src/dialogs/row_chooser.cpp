#include "dialogs/row_chooser.h"

#include <cstdint>

#include "console/status_line.h"
#include "platform/screen.h"

namespace {

void print_row_label(const RowChooser& c, int row, int attr) {
  textattr(attr);
  gotoxy(c.column, c.first_row + row);
  cprintf("%1d:", row);
}

}  // namespace

int chosen_row(const RowChooser& c) noexcept { return selected_row(setup_record(), c.selector); }

void print_row_labels(const RowChooser& c, int chosen) noexcept {
  for (int row = 0; row < 2; ++row) print_row_label(c, row, row == chosen ? c.chosen_attr : c.other_attr);
}

int choose_row(const RowChooser& c) noexcept {
  int n = chosen_row(c);
  for (;;) {
    if (c.hint >= 0) show_hint(c.hint);
    textattr(c.other_attr);
    gotoxy(c.column, c.first_row + n);
    int code = getch();
    if (code == 0) code = getch();
    if (code == chooser::UP && n > 0) --n;
    if (code == chooser::DOWN && n < 1) ++n;
    // Stored as soon as the row moves, and only then: a stored value other
    // than 0 or 1 that reads as row 1 survives a chooser left on row 1.
    if (n != chosen_row(c)) set_byte(setup_record(), c.selector, 0, static_cast<uint8_t>(n));
    print_row_label(c, n, c.chosen_attr);
    print_row_label(c, 1 - n, c.other_attr);
    if (code == chooser::EDIT || code == chooser::SAVE) return code;
  }
}
