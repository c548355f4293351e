#include "data/field_names.h"

#include <string>

namespace {

std::string indexed(const char* base, int i) { return std::string(base) + "[" + std::to_string(i) + "]"; }

std::string indexed(const char* base, int i, int j) { return indexed(base, i) + "[" + std::to_string(j) + "]"; }

void add_texts(std::vector<NamedField>& out) {
  for (int i = 0; i < 6; ++i) out.push_back({indexed("heading", i), field::heading_line(i), FieldKind::TEXT});
  out.push_back({"protected_text[0]", field::protected_text_0, FieldKind::TEXT});
  out.push_back({"access_word", field::access_word, FieldKind::TEXT});
  out.push_back({"protected_text[1]", field::protected_text_1, FieldKind::TEXT});
  out.push_back({"protected_text[2]", field::protected_text_2, FieldKind::TEXT});
  for (int i = 0; i < 2; ++i)
    out.push_back({indexed("printer_name", i), field::printer_name_line(i), FieldKind::TEXT});
}

void add_lists_and_currencies(std::vector<NamedField>& out) {
  for (int i = 0; i < 8; ++i)
    out.push_back({indexed("value_list", i), element(field::value_list, i, 1), FieldKind::SIGNED_BYTE});
  for (int i = 0; i < 12; ++i)
    out.push_back({indexed("currency_code", i), field::currency_code_at(i), FieldKind::TEXT});
  for (int i = 0; i < 12; ++i)
    out.push_back({indexed("currency_rate", i), field::currency_rate_at(i), FieldKind::DOUBLE});
}

void add_printer_codes(std::vector<NamedField>& out) {
  for (int set = 0; set < 2; ++set) {
    for (int row = 0; row < 10; ++row) {
      out.push_back({indexed("printer_codes", set, row) + ".on", field::printer_code(set, row, 0), FieldKind::CODE});
      out.push_back({indexed("printer_codes", set, row) + ".off", field::printer_code(set, row, 1), FieldKind::CODE});
    }
  }
}

const FieldRule DIGIT_ROW_RULE{0, 5, "a digit of a digit row is a whole number 0 to 5"};

void add_byte_table(std::vector<NamedField>& out, const char* name, Field table, int rows, int columns,
                    const FieldRule& rule = {}) {
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c)
      out.push_back({indexed(name, r, c), element(table, r * columns + c, 1), FieldKind::BYTE, rule});
  }
}

FieldRule kind_rule(FieldKind kind) {
  switch (kind) {
    case FieldKind::BYTE: return {0, 255, "a byte is a whole number 0 to 255"};
    case FieldKind::SIGNED_BYTE: return {-128, 127, "a signed byte is a whole number -128 to 127"};
    case FieldKind::HIGH_DIGIT:
    case FieldKind::LOW_DIGIT: return {0, 15, "a digit is a whole number 0 to 15"};
    case FieldKind::FLAGS: return {0, 255, "flags are 0b and up to 8 binary digits, bit 7 first"};
    case FieldKind::ATTRIBUTE: return {0, 255, "an attribute is 0x and one or two hex digits"};
    default: return {};
  }
}

void add_options(std::vector<NamedField>& out) {
  out.push_back({"setup_ext", field::setup_ext, FieldKind::TEXT});
  out.push_back({"active_set", field::active_set, FieldKind::BYTE});
  add_byte_table(out, "printer_params", field::printer_params, 2, 8);
  add_byte_table(out, "aux_params", field::aux_params, 2, 8);
  add_byte_table(out, "digit_rows", field::digit_rows, 2, 10, DIGIT_ROW_RULE);
  out.push_back({"short_text", field::short_text, FieldKind::TEXT});
  out.push_back({"digit_row_sel", field::digit_row_sel, FieldKind::BYTE});
  out.push_back({"option_flags_b", field::option_flags_b, FieldKind::FLAGS});
  out.push_back({"option_flags_c", field::option_flags_c, FieldKind::FLAGS});
  for (int i = 0; i < 4; ++i) {
    const Field byte = element(field::number_formats, i, 1);
    out.push_back({indexed("number_formats", i) + ".high", byte, FieldKind::HIGH_DIGIT});
    out.push_back({indexed("number_formats", i) + ".low", byte, FieldKind::LOW_DIGIT});
  }
  out.push_back({"option_flags_a", field::option_flags_a, FieldKind::FLAGS});
  out.push_back({"palette_kind", field::palette_kind, FieldKind::BYTE});
  for (int g = 0; g < 4; ++g) {
    for (int s = 0; s < 16; ++s)
      out.push_back({indexed("palette", g, s), element(field::palette, 16 * g + s, 1), FieldKind::ATTRIBUTE});
  }
}

std::vector<NamedField> build_table() {
  std::vector<NamedField> out;
  add_texts(out);
  add_lists_and_currencies(out);
  add_printer_codes(out);
  add_options(out);
  for (NamedField& f : out)
    if (f.rule.text.empty()) f.rule = kind_rule(f.kind);
  return out;
}

}  // namespace

const std::vector<NamedField>& named_fields() {
  static const std::vector<NamedField> table = build_table();
  return table;
}

const NamedField* find_named_field(std::string_view name) {
  for (const NamedField& f : named_fields()) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

long current_number(const SetupRecord& r, const NamedField& f) noexcept {
  const uint8_t byte = get_byte(r, f.field);
  switch (f.kind) {
    case FieldKind::SIGNED_BYTE: return static_cast<int8_t>(byte);
    case FieldKind::HIGH_DIGIT: return byte >> 4;
    case FieldKind::LOW_DIGIT: return byte & 0x0F;
    default: return byte;
  }
}

std::string rule_refusal(const SetupRecord& r, const NamedField& f, long value) {
  if (f.rule.text.empty() || (value >= f.rule.low && value <= f.rule.high)) return "";
  return value == current_number(r, f) ? "" : f.rule.text;
}

const FieldRule& rule_at(Field f) {
  static const FieldRule none;
  for (const NamedField& n : named_fields())
    if (n.field.offset == f.offset) return n.rule;
  return none;
}
