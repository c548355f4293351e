// The options screen: bits 0-4 of option_flags_c as check boxes on a copy
// (bits 5-7 pass through), then short_text, then the eight decimal digits
// held two to a byte in number_formats (high nibble first). The text and the
// digits form one chain: Up or Left on a digit goes to the one before it,
// on the first digit to the text, and on the text back to the check boxes
// with the whole screen drawn again from the record. Fields are stored as
// they are accepted; the record is written after the eighth digit.
//
// short_text may hold 20 characters with no terminator; it is never read or
// written past its 20 bytes, so digit_row_sel after it is left alone. A
// digit field replaces its own nibble only; a stored nibble above 9 shows as
// 10-15 and stays as it is unless the operator changes it.
#include "dialogs/options.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "dialogs/check_box_list.h"
#include "platform/keys.h"
#include "platform/screen.h"

namespace {

constexpr int TITLE = 120, FIRST_LABEL = 121, CHECK_BOX_HINT = 104;
constexpr int TEXT_LINE = 90, DIGITS_LINE = 31;
constexpr int EVEN_BYTE_HINT = 33, ODD_BYTE_HINT = 89;
constexpr int LEFT = 20, RIGHT = 55, TOP = 6, BOTTOM = 17;
constexpr int TEXT_DIVIDER = 12, DIGITS_DIVIDER = 14;
constexpr int TEXT_COLUMN = 28, TEXT_ROW = 13;
constexpr int DIGITS = 8;
const std::string TEXT_TEMPLATE(20, '<');
const CheckBoxList FLAG_BOXES{22, 7, 0, 4, false};

int screen_attr() { return palette_attr(slot::DIALOG); }

// Digit k (0-7): byte k / 2 of number_formats, high nibble when k is even.
int digit_byte(int k) { return k / 2; }
bool high_digit(int k) { return k % 2 == 0; }
int digit_column(int k) { return 23 + 8 * (k % 4); }
int digit_row(int k) { return 15 + k / 4; }
int digit_hint(int k) { return digit_byte(k) % 2 == 0 ? EVEN_BYTE_HINT : ODD_BYTE_HINT; }

int digit_value(int k) {
  const uint8_t b = get_byte(setup_record(), field::number_formats, digit_byte(k));
  return high_digit(k) ? b >> 4 : b & 0x0F;
}

void store_digit(int k, int v) {
  const uint8_t b = get_byte(setup_record(), field::number_formats, digit_byte(k));
  const int nibble = v & 0x0F;
  const int stored = high_digit(k) ? (nibble << 4) | (b & 0x0F) : (b & 0xF0) | nibble;
  set_byte(setup_record(), field::number_formats, digit_byte(k), static_cast<uint8_t>(stored));
}

void print_short_text() {
  textattr(screen_attr());
  gotoxy(TEXT_COLUMN, TEXT_ROW);
  cprintf("%-20.20s", get_text(setup_record(), field::short_text).c_str());
}

// A sub-heading centred on a divider.
void print_divider_heading(int line, int row) {
  const std::string text = catalogue_line(line);
  gotoxy(37 - static_cast<int>(text.size()) / 2, row);
  cprintf(" %-s ", text.c_str());
}

void draw_screen(uint8_t flags) {
  const int attr = screen_attr();
  draw_frame(frame::SHADOWED, LEFT, TOP, RIGHT, BOTTOM, attr, catalogue_line(TITLE));
  draw_frame(frame::SINGLE_DIVIDER, LEFT, TEXT_DIVIDER, RIGHT, BOTTOM, attr, catalogue_line(TITLE));
  draw_frame(frame::SINGLE_DIVIDER, LEFT, DIGITS_DIVIDER, RIGHT, BOTTOM, attr, catalogue_line(TITLE));
  draw_check_boxes(FLAG_BOXES, flags, FIRST_LABEL);
  print_divider_heading(TEXT_LINE, TEXT_DIVIDER);
  print_short_text();
  print_divider_heading(DIGITS_LINE, DIGITS_DIVIDER);
  for (int k = 0; k < DIGITS; ++k) {
    gotoxy(digit_column(k), digit_row(k));
    cprintf("%dnnnn", digit_value(k));
  }
}

// Screen drawn, flags chosen. False when the operator leaves with Esc.
bool edit_flags() {
  uint8_t w = get_byte(setup_record(), field::option_flags_c);
  show_hint(CHECK_BOX_HINT);
  draw_screen(w);
  if (run_check_boxes(FLAG_BOXES, w) != key::ENTER) return false;
  set_byte(setup_record(), field::option_flags_c, 0, w);
  return true;
}

// The field editor leaves the attribute show_hint set, the screen background.
FieldExit edit_short_text() {
  const FieldExit exit = edit_field(TEXT_LINE, palette_attr(slot::BACKGROUND),
                                    get_text(setup_record(), field::short_text), edit_mode::EMPTY_START,
                                    TEXT_COLUMN, TEXT_ROW, TEXT_TEMPLATE);
  if (exit != FieldExit::accept) return exit;
  store_changed_text(field::short_text);
  print_short_text();
  return exit;
}

FieldExit edit_digit(int k) {
  const FieldExit exit = edit_field(digit_hint(k), palette_attr(slot::BACKGROUND), std::to_string(digit_value(k)),
                                    edit_mode::EMPTY_START, digit_column(k), digit_row(k), "#");
  if (exit != FieldExit::accept) return exit;
  if (edit_changed()) store_digit(k, static_cast<int>(std::atol(edit_buffer().c_str())));
  textattr(screen_attr());
  gotoxy(digit_column(k), digit_row(k));
  cprintf("%1d", digit_value(k));
  return exit;
}

enum class ChainEnd { completed, left, back_to_flags };

// The text (position -1) and the eight digits as one chain.
ChainEnd edit_chain() {
  int k = -1;
  while (k < DIGITS) {
    const FieldExit exit = k < 0 ? edit_short_text() : edit_digit(k);
    if (exit == FieldExit::leave) return ChainEnd::left;
    if (exit == FieldExit::back) {
      if (k < 0) return ChainEnd::back_to_flags;
      --k;
      continue;
    }
    ++k;
  }
  return ChainEnd::completed;
}

}  // namespace

void edit_options() {
  for (;;) {
    if (!edit_flags()) return;
    const ChainEnd end = edit_chain();
    if (end == ChainEnd::left) return;
    if (end == ChainEnd::completed) break;
  }
  save_record("options");
}
