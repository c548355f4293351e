#include "setuprec/field_form.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "setuprec/text_form.h"

namespace {

constexpr int CODE_BYTES = 8;
constexpr uint64_t EXPONENT_BITS = 0x7FF0000000000000ULL;
constexpr uint64_t MANTISSA_BITS = 0x000FFFFFFFFFFFFFULL;

std::string hex_pair(unsigned value) {
  constexpr const char* DIGITS = "0123456789abcdef";
  return {DIGITS[(value >> 4) & 0xF], DIGITS[value & 0xF]};
}

uint64_t bits_of(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

// The shortest text that reads back as the same bits; a NaN carries its bits.
std::string format_double(double d) {
  if (std::isnan(d)) {
    const uint64_t bits = bits_of(d);
    std::string out = "nan(0x";
    for (int shift = 56; shift >= 0; shift -= 8) out += hex_pair(static_cast<unsigned>(bits >> shift));
    return out + ")";
  }
  char out[64];
  const auto result = std::to_chars(out, out + sizeof out, d);
  return std::string(out, result.ptr);
}

// Bytes up to the last non-zero one, zero bytes before it included: the
// stored sequence exactly.
std::string format_code(const SetupRecord& r, Field f) {
  int used = CODE_BYTES;
  while (used > 0 && get_byte(r, f, used - 1) == 0) --used;
  std::string out;
  for (int i = 0; i < used; ++i) {
    if (i > 0) out += ' ';
    out += hex_pair(get_byte(r, f, i));
  }
  return out;
}

std::string format_flags(uint8_t value) {
  std::string out = "0b";
  for (int bit = 7; bit >= 0; --bit) out += (value >> bit) & 1 ? '1' : '0';
  return out;
}

// A whole decimal number in [low, high]; false when value is not one.
bool read_whole(std::string_view value, long low, long high, long& out) {
  const char* end = value.data() + value.size();
  const auto result = std::from_chars(value.data(), end, out);
  return result.ec == std::errc() && result.ptr == end && out >= low && out <= high;
}

// Digits in base `base` after a prefix, at most max_digits of them.
bool read_prefixed(std::string_view value, std::string_view prefix, int base, size_t max_digits, long& out) {
  if (value.substr(0, prefix.size()) != prefix) return false;
  const std::string_view digits = value.substr(prefix.size());
  if (digits.empty() || digits.size() > max_digits || digits.front() == '-') return false;
  const char* end = digits.data() + digits.size();
  const auto result = std::from_chars(digits.data(), end, out, base);
  return result.ec == std::errc() && result.ptr == end;
}

bool read_nan(std::string_view value, double& out) {
  long high = 0, low = 0;
  if (value.size() != 23 || value.substr(0, 6) != "nan(0x" || value.back() != ')') return false;
  if (!read_prefixed(value.substr(6, 8), "", 16, 8, high) || !read_prefixed(value.substr(14, 8), "", 16, 8, low))
    return false;
  const uint64_t bits = (static_cast<uint64_t>(high) << 32) | static_cast<uint64_t>(low);
  if ((bits & EXPONENT_BITS) != EXPONENT_BITS || (bits & MANTISSA_BITS) == 0) return false;
  std::memcpy(&out, &bits, sizeof out);
  return true;
}

std::string store_double(SetupRecord& r, Field f, std::string_view value) {
  double d = 0;
  if (value.substr(0, 3) == "nan") {
    if (!read_nan(value, d)) return "a NaN is written nan(0x and the 16 hex digits of its bits)";
  } else {
    const char* end = value.data() + value.size();
    const auto result = std::from_chars(value.data(), end, d);
    if (result.ec == std::errc::result_out_of_range) return "number outside the binary64 range";
    if (result.ec != std::errc() || result.ptr != end) return "not a number (use '.' as decimal point)";
    if (std::isnan(d)) return "a NaN is written nan(0x and the 16 hex digits of its bits)";
  }
  set_double(r, f, d);
  return "";
}

std::string store_code(SetupRecord& r, Field f, const std::string& value) {
  std::string digits;
  size_t group = 0;  // digits since the last blank: pairs never straddle one
  for (const char c : value + std::string(" ")) {
    if (c == ' ' && group % 2 != 0) return "a code is hex digit pairs: one digit is unpaired";
    if (c == ' ') {
      group = 0;
      continue;
    }
    if (!std::isxdigit(static_cast<unsigned char>(c))) return "a code is hex digit pairs such as 1b 40";
    digits += c;
    ++group;
  }
  if (digits.size() > 2 * CODE_BYTES) return "a code holds at most 8 bytes";
  for (int i = 0; i < CODE_BYTES; ++i) {
    long byte = 0;
    if (static_cast<size_t>(2 * i) < digits.size()) read_prefixed(std::string_view(digits).substr(2 * i, 2), "", 16, 2, byte);
    set_byte(r, f, i, static_cast<uint8_t>(byte));
  }
  return "";
}

std::string store_text(SetupRecord& r, Field f, std::string_view value) {
  const TextParse text = unquote_text(value);
  if (!text.error.empty()) return text.error;
  if (text.bytes.size() > static_cast<size_t>(f.size))
    return "text of " + std::to_string(text.bytes.size()) + " characters; the field holds " + std::to_string(f.size);
  set_text(r, f, text.bytes);
  return "";
}

std::string store_number(SetupRecord& r, const NamedField& f, std::string_view value) {
  long n = 0;
  const uint8_t old = get_byte(r, f.field);
  switch (f.kind) {
    case FieldKind::BYTE:
      if (!read_whole(value, 0, 255, n)) return "a byte is a whole number 0 to 255";
      break;
    case FieldKind::SIGNED_BYTE:
      if (!read_whole(value, -128, 127, n)) return "a signed byte is a whole number -128 to 127";
      break;
    case FieldKind::FLAGS:
      if (!read_prefixed(value, "0b", 2, 8, n)) return "flags are 0b and up to 8 binary digits, bit 7 first";
      break;
    case FieldKind::ATTRIBUTE:
      if (!read_prefixed(value, "0x", 16, 2, n)) return "an attribute is 0x and one or two hex digits";
      break;
    case FieldKind::HIGH_DIGIT:
    case FieldKind::LOW_DIGIT:
      if (!read_whole(value, 0, 15, n)) return "a digit is a whole number 0 to 15";
      n = f.kind == FieldKind::HIGH_DIGIT ? (n << 4) | (old & 0x0F) : (old & 0xF0) | n;
      break;
    default: return "not a number field";
  }
  set_byte(r, f.field, 0, static_cast<uint8_t>(n));
  return "";
}

}  // namespace

std::string format_field(const SetupRecord& r, const NamedField& f) {
  const uint8_t byte = get_byte(r, f.field);
  switch (f.kind) {
    case FieldKind::TEXT: return quote_text(get_text(r, f.field));
    case FieldKind::BYTE: return std::to_string(byte);
    case FieldKind::SIGNED_BYTE: return std::to_string(static_cast<int8_t>(byte));
    case FieldKind::DOUBLE: return format_double(get_double(r, f.field));
    case FieldKind::CODE: return format_code(r, f.field);
    case FieldKind::FLAGS: return format_flags(byte);
    case FieldKind::HIGH_DIGIT: return std::to_string(byte >> 4);
    case FieldKind::LOW_DIGIT: return std::to_string(byte & 0x0F);
    case FieldKind::ATTRIBUTE: return "0x" + hex_pair(byte);
  }
  return "";
}

std::string store_field(SetupRecord& r, const NamedField& f, std::string_view value) {
  switch (f.kind) {
    case FieldKind::TEXT: return store_text(r, f.field, value);
    case FieldKind::DOUBLE: return store_double(r, f.field, value);
    case FieldKind::CODE: return store_code(r, f.field, std::string(value));
    default: return store_number(r, f, value);
  }
}
