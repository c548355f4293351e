// Random stores into the setup record through its accessors: each write stays
// inside its field, a text reads back as stored (up to its first zero byte,
// cut to the field), and a binary64 keeps every bit, NaN payloads included.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/setup_record.h"

namespace {

void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "record: %s\n", what);
  std::abort();
}

constexpr Field FIELDS[] = {
    field::heading_line(0), field::heading_line(5), field::protected_text_0, field::access_word,
    field::printer_name_line(1), field::value_list, field::currency_code_at(11), field::currency_rate_at(0),
    field::currency_rate_at(11), field::printer_code(1, 9, 1), field::setup_ext, field::active_set,
    field::param_row(field::printer_params, 1), field::digit_row(1), field::short_text, field::digit_row_sel,
    field::number_formats, field::palette, field::palette_kind,
};
constexpr size_t FIELD_COUNT = sizeof FIELDS / sizeof FIELDS[0];

void check_outside_untouched(const SetupRecord& before, const SetupRecord& after, Field f) {
  for (int i = 0; i < RECORD_SIZE; ++i)
    if (i < f.offset || i >= f.offset + f.size) require(before[i] == after[i], "a byte outside the field changed");
}

void store_text(SetupRecord& r, Field f, const std::string& text) {
  const SetupRecord before = r;
  set_text(r, f, text);
  check_outside_untouched(before, r, f);
  const std::string cut = text.substr(0, static_cast<size_t>(f.size));
  require(get_text(r, f) == cut.substr(0, cut.find('\0')), "a text reads back differently");
}

void store_double(SetupRecord& r, Field f, const uint8_t* bits) {
  double value;
  std::memcpy(&value, bits, sizeof value);
  const SetupRecord before = r;
  set_double(r, f, value);
  check_outside_untouched(before, r, f);
  const double back = get_double(r, f);
  require(std::memcmp(&back, &value, sizeof value) == 0, "a binary64 lost bits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetupRecord r{};
  for (size_t i = 0; i < RECORD_SIZE && i < size; ++i) r[i] = data[size - 1 - i];
  size_t pos = 0;
  while (pos + 2 <= size) {
    const Field f = FIELDS[data[pos] % FIELD_COUNT];
    const bool as_text = data[pos] & 0x80;
    const size_t n = data[pos + 1] % 48;
    pos += 2;
    if (as_text) {
      const size_t len = n < size - pos ? n : size - pos;
      store_text(r, f, std::string(reinterpret_cast<const char*>(data + pos), len));
      pos += len;
    } else if (f.size >= 8 && size - pos >= 8) {
      store_double(r, f, data + pos);
      pos += 8;
    } else {
      const SetupRecord before = r;
      set_byte(r, f, static_cast<int>(n) - 8, static_cast<uint8_t>(n));  // indexes outside the field too
      check_outside_untouched(before, r, f);
    }
  }
  return 0;
}
