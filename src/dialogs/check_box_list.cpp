#include "dialogs/check_box_list.h"

#include "console/frames.h"
#include "console/keyboard.h"
#include "data/catalogue.h"
#include "platform/screen.h"

namespace {
char mark(uint8_t value, int bit) { return (value & int_power(2, bit)) ? 'X' : ' '; }
}  // namespace

void draw_check_boxes(const CheckBoxList& list, uint8_t value, int label_line) noexcept {
  for (int i = list.last_bit; i >= list.first_bit; --i) {
    gotoxy(list.x, list.y + i - list.first_bit);
    const char* label = catalogue_line(label_line + i - list.first_bit);
    if (list.bit_values)
      cprintf("[%c] %2x %s", mark(value, i), int_power(2, i), label);
    else
      cprintf("[%c] %s", mark(value, i), label);
  }
}

int run_check_boxes(const CheckBoxList& list, uint8_t& value) noexcept {
  int n = list.first_bit;
  for (;;) {
    gotoxy(list.x + 1, list.y + n - list.first_bit);
    cprintf("%c", mark(value, n));
    gotoxy(list.x + 1, list.y + n - list.first_bit);
    const int k = read_key();
    if (k == key::SPACE) value = static_cast<uint8_t>(value ^ int_power(2, n));
    if (k == key::UP && --n < list.first_bit) n = list.last_bit;
    if (k == key::DOWN && ++n > list.last_bit) n = list.first_bit;
    if (k == key::ENTER || k == key::ESC) return k;
  }
}
