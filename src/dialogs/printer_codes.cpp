// The printer control codes: one of two code sets, ten rows of an "on" and
// an "off" sequence of up to 8 bytes each, typed as hexadecimal pairs. The
// twenty fields form one chain: on 0, off 0, on 1 ... off 9. A code is
// shown and offered with its 00 bytes up to its last non-zero byte, so that
// what the operator sees is what is stored (1b 33 00 41 reads 1b330041).
#include <cstdio>
#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "dialogs/printers.h"
#include "platform/screen.h"

namespace {

constexpr int CODE_BYTES = 8;
constexpr int ROWS = 10;
constexpr int TITLE = 107, SET_HINT = 63, FIRST_CODE_HINT = 36;
constexpr int HEADING_ON = 93, HEADING_OFF = 94, HEADING_WIDTH = 15;
constexpr int ON_COLUMN = 43, OFF_COLUMN = 60, ROW_LABEL_COLUMN = 41, FIRST_ROW = 8;
constexpr int SETS = 2;
const std::string CODE_TEMPLATE(16, '<');

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of a piece's leading hexadecimal digits; 0 when it has none.
uint8_t piece_value(const std::string& piece) {
  int value = 0;
  for (char c : piece) {
    const int d = hex_digit(c);
    if (d < 0) break;
    value = value * 16 + d;
  }
  return static_cast<uint8_t>(value);
}

uint8_t* code_bytes(int set, int row, int half) {
  return setup_record().data() + field::printer_code(set, row, half).offset;
}

// The set number typed at the prompt; -1 when the dialog is to end.
int ask_code_set() {
  textattr(palette_attr(slot::PRINTER_NAMES));
  set_edit_buffer("");
  if (field_exit(line_edit(edit_mode::EMPTY_START, 71, 18, "#")) == FieldExit::leave) return -1;
  const int s = edit_buffer().empty() ? 0 : edit_buffer()[0] - '0';
  return s < SETS ? s : -1;
}

void draw_codes(int set) {
  gotoxy(70, 18);
  cprintf("[%d]", set);
  textattr(palette_attr(slot::PRINTER_CODES));
  for (int r = 0; r < ROWS; ++r) {
    gotoxy(ROW_LABEL_COLUMN, FIRST_ROW + r);
    cprintf("%1d %s", r, hex_sequence(code_bytes(set, r, 0)).c_str());
    gotoxy(OFF_COLUMN, FIRST_ROW + r);
    cprintf("%s", hex_sequence(code_bytes(set, r, 1)).c_str());
  }
}

void print_code(int column, int row, const uint8_t* bytes) {
  gotoxy(column, row);
  cputs(hex_sequence(bytes).c_str());
}

// Walks the chain; false when it ends without completing.
bool edit_chain(int set) {
  const int attr = palette_attr(slot::PRINTER_CODES);
  int position = 0;  // 2 * row + half
  bool forward = true;
  while (position < 2 * ROWS) {
    const int r = position / 2, half = position % 2;
    const int column = half ? OFF_COLUMN : ON_COLUMN;
    if (half == 0 && forward) {
      textattr(attr);
      gotoxy(ROW_LABEL_COLUMN, FIRST_ROW + r);
      cprintf("%1d ", r);
    }
    uint8_t* bytes = code_bytes(set, r, half);
    const FieldExit exit = edit_field(FIRST_CODE_HINT + position, attr, hex_sequence(bytes),
                                      edit_mode::CONTENT_START, column, FIRST_ROW + r, CODE_TEMPLATE);
    if (exit == FieldExit::leave) return false;
    forward = exit == FieldExit::accept;
    if (!forward) {
      if (position-- == 0) return false;
      continue;
    }
    if (edit_changed()) parse_code_entry(edit_buffer(), bytes);
    print_code(column, FIRST_ROW + r, bytes);
    ++position;
  }
  return true;
}

}  // namespace

std::string hex_sequence(const uint8_t* bytes) {
  int end = CODE_BYTES;
  while (end > 0 && bytes[end - 1] == 0) --end;
  std::string text;
  char pair[3];
  for (int i = 0; i < end; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    text += pair;
  }
  return text;
}

void parse_code_entry(const std::string& entry, uint8_t* bytes) {
  const int length = static_cast<int>(entry.size());
  if (length == 0) return;
  for (int i = 0; i < (length + 1) / 2 && i < CODE_BYTES; ++i)
    bytes[i] = piece_value(copy_substring(entry, 2 * i + 1, 2 * i + 2));
  for (int i = length / 2; i < CODE_BYTES; ++i) bytes[i] = 0;
}

void edit_printer_codes() {
  show_hint(SET_HINT);
  draw_frame(frame::SHADOWED, 40, 6, 76, 18, palette_attr(slot::PRINTER_CODES), catalogue_line(TITLE));
  textattr(palette_attr(slot::PRINTER_NAMES));
  gotoxy(41, 7);
  cprintf("nr. %-15s ", copy_prefix(catalogue_line(HEADING_ON), HEADING_WIDTH).c_str());
  cprintf("%-15s", copy_prefix(catalogue_line(HEADING_OFF), HEADING_WIDTH).c_str());
  const int set = ask_code_set();
  if (set < 0) return;
  draw_codes(set);
  if (edit_chain(set)) save_record("printer codes");
}
