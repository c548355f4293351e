// The company setup record: the first 1024 bytes of the company file, a file
// format shared with the accounting package. Every field is a named offset in
// one table; accessors never read or write outside a field's bytes, and bytes
// that no field names pass through unchanged.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

constexpr int RECORD_SIZE = 1024;
using SetupRecord = std::array<uint8_t, RECORD_SIZE>;

struct Field {
  int offset;
  int size;
};

// Element i of an array field.
constexpr Field element(Field f, int i, int element_size) {
  return Field{f.offset + i * element_size, element_size};
}

namespace field {
constexpr int TEXT_LINE = 32;
constexpr int CODE_BYTES = 8;  // one printer control sequence
constexpr Field heading{0, 6 * TEXT_LINE};  // heading[0] is the service line
constexpr Field protected_text_0{192, 32};
constexpr Field access_word{224, 32};
constexpr Field protected_text_1{256, 32};
constexpr Field protected_text_2{288, 32};
constexpr Field printer_name{320, 2 * TEXT_LINE};
constexpr Field value_list{384, 8};
constexpr Field currency_code{400, 12 * 4};
constexpr Field currency_rate{448, 12 * 8};
constexpr Field printer_codes{544, 2 * 10 * 16};
constexpr Field setup_ext{864, 4};
constexpr Field active_set{868, 1};
constexpr Field printer_params{870, 2 * 8};
constexpr Field aux_params{886, 2 * 8};
constexpr Field digit_rows{902, 2 * 10};
constexpr Field short_text{922, 20};
constexpr Field digit_row_sel{942, 1};
constexpr Field option_flags_b{944, 1};
constexpr Field option_flags_c{946, 1};
constexpr Field number_formats{947, 4};
constexpr Field option_flags_a{954, 1};
constexpr Field palette_kind{955, 1};
constexpr Field palette{960, 4 * 16};

// Every field above: the bytes outside them belong to no field and pass
// through every dialog unchanged.
constexpr Field all[] = {heading,        protected_text_0, access_word,    protected_text_1, protected_text_2,
                         printer_name,   value_list,       currency_code,  currency_rate,    printer_codes,
                         setup_ext,      active_set,       printer_params, aux_params,       digit_rows,
                         short_text,     digit_row_sel,    option_flags_b, option_flags_c,   number_formats,
                         option_flags_a, palette_kind,     palette};

constexpr Field heading_line(int i) { return element(heading, i, TEXT_LINE); }
constexpr Field printer_name_line(int i) { return element(printer_name, i, TEXT_LINE); }
constexpr Field currency_code_at(int i) { return element(currency_code, i, 4); }
constexpr Field currency_rate_at(int i) { return element(currency_rate, i, 8); }
// on (half 0) or off (half 1) sequence of one printer-code row
constexpr Field printer_code(int set, int row, int half) {
  return Field{printer_codes.offset + 160 * set + 16 * row + CODE_BYTES * half, CODE_BYTES};
}
constexpr Field param_row(Field table, int row) { return element(table, row, 8); }
constexpr Field digit_row(int row) { return element(digit_rows, row, 10); }
}  // namespace field

// The palette slots attr[74]..attr[137]: attr[k] is byte k - 74 of the palette.
namespace slot {
constexpr int FIRST = 74;
constexpr int LAST = 137;
constexpr int MENU_RESTORE = 74;
constexpr int MENU_NORMAL = 75;
constexpr int MENU_HOTKEY = 77;
constexpr int MENU_CURSOR = 79;
constexpr int MENU_CURSOR_HOTKEY = 80;
constexpr int MENU_SELECTED = 81;
constexpr int MENU_SELECTED_HOTKEY = 82;
constexpr int SUBMENU = 83;
constexpr int DIALOG = 84;
constexpr int PRINTER_NAMES = 85;
constexpr int PRINTER_CODES = 86;
constexpr int DIGIT_ROWS = 87;
constexpr int PROTECTED = 88;
constexpr int MAIN_FRAME = 91;
constexpr int BACKGROUND = 124;
constexpr int STATUS_TEXT = 136;
}  // namespace slot

// The one process-wide record buffer, zero-filled at program start.
SetupRecord& setup_record() noexcept;

// Text read up to its first zero byte or the field's end.
std::string get_text(const SetupRecord& r, Field f);
// Stores text, cut to the field, and zero-fills the rest of the field.
void set_text(SetupRecord& r, Field f, const std::string& text);
uint8_t get_byte(const SetupRecord& r, Field f, int index = 0) noexcept;
void set_byte(SetupRecord& r, Field f, int index, uint8_t value) noexcept;
// binary64, little-endian whatever the host
double get_double(const SetupRecord& r, Field f) noexcept;
void set_double(SetupRecord& r, Field f, double value) noexcept;
// Palette slot attr[k], 74 <= k <= 137.
uint8_t palette_attr(const SetupRecord& r, int k) noexcept;
inline uint8_t palette_attr(int k) noexcept { return palette_attr(setup_record(), k); }

// Reads record index (index * size bytes in) as one block. Returns 0 on
// success, else an errno value. A short read is not a failure: a short file
// reads as zero-filled. Saving goes through the company file (company_file.h).
int read_record(std::FILE* file, uint8_t* buffer, int index, int size) noexcept;

// The row a selector byte (active_set, digit_row_sel) selects. Only 0 and 1
// are meaningful; any other stored value (written elsewhere) reads as row 1,
// so nothing ever addresses outside the two rows.
inline int selected_row(const SetupRecord& r, Field selector) noexcept {
  return get_byte(r, selector) == 0 ? 0 : 1;
}
// The parameter row that active_set selects.
inline int active_param_row(const SetupRecord& r) noexcept { return selected_row(r, field::active_set); }
