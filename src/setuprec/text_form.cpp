#include "setuprec/text_form.h"

#include <cstdint>
#include <cstdio>

#include "platform/cp437.h"

namespace {

constexpr std::string_view LETTER_ESCAPES = "abtnvfr";  // bytes 7..13

std::string hex_escape(unsigned char byte) {
  char out[5];
  std::snprintf(out, sizeof out, "\\x%02x", byte);
  return out;
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One escape after the backslash at pos; advances pos past it.
bool read_escape(std::string_view v, size_t& pos, TextParse& out) {
  const char c = v[pos++];
  if (c == '\\' || c == '"') {
    out.bytes += c;
    return true;
  }
  const size_t letter = LETTER_ESCAPES.find(c);
  if (letter != std::string_view::npos) {
    out.bytes += static_cast<char>(7 + letter);
    return true;
  }
  if (c != 'x' || pos + 2 > v.size() || hex_value(v[pos]) < 0 || hex_value(v[pos + 1]) < 0) {
    out.error = "unknown escape; use \\\\, \\\", \\a \\b \\t \\n \\v \\f \\r or \\x and two hex digits";
    return false;
  }
  const int byte = hex_value(v[pos]) * 16 + hex_value(v[pos + 1]);
  pos += 2;
  if (byte == 0) {
    out.error = "a text cannot hold a zero byte";
    return false;
  }
  out.bytes += static_cast<char>(byte);
  return true;
}

// Length of the UTF-8 sequence that starts with lead, 0 when invalid.
int utf8_length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 0;
  if (lead >= 0xC2) return 2;
  return 0;
}

bool read_utf8(std::string_view v, size_t& pos, TextParse& out) {
  const auto lead = static_cast<unsigned char>(v[pos]);
  const int n = utf8_length(lead);
  char32_t cp = n == 2 ? lead & 0x1F : n == 3 ? lead & 0x0F : lead & 0x07;
  bool valid = n > 0 && pos + static_cast<size_t>(n) <= v.size();
  for (int i = 1; valid && i < n; ++i) {
    const auto next = static_cast<unsigned char>(v[pos + static_cast<size_t>(i)]);
    valid = (next & 0xC0) == 0x80;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (!valid) {
    out.error = "not valid UTF-8";
    return false;
  }
  pos += static_cast<size_t>(n);
  const int byte = cp437_from_unicode(cp);
  if (byte <= 0) {
    char what[48];
    std::snprintf(what, sizeof what, "U+%04X is not in code page 437", static_cast<unsigned>(cp));
    out.error = what;
    return false;
  }
  out.bytes += static_cast<char>(byte);
  return true;
}

bool read_character(std::string_view v, size_t& pos, bool escapes, TextParse& out) {
  const auto c = static_cast<unsigned char>(v[pos]);
  if (c == '\\' && escapes) {
    ++pos;
    if (pos < v.size()) return read_escape(v, pos, out);
    out.error = "a backslash ends the text";
    return false;
  }
  if (c >= 0x80) return read_utf8(v, pos, out);
  if (c == 0) {
    out.error = "a text cannot hold a zero byte";
    return false;
  }
  out.bytes += static_cast<char>(c);
  ++pos;
  return true;
}

TextParse read_text(std::string_view inner, bool escapes) {
  TextParse out;
  size_t pos = 0;
  while (pos < inner.size()) {
    if (!read_character(inner, pos, escapes, out)) return out;
  }
  return out;
}

}  // namespace

std::string quote_text(std::string_view bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c >= 7 && c <= 13) {
      out += '\\';
      out += LETTER_ESCAPES[c - 7];
    } else if (c < 0x20 || c == 0x7F) {
      out += hex_escape(c);
    } else if (c >= 0x80) {
      append_utf8(out, cp437_to_unicode(c));
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

TextParse unquote_text(std::string_view value) {
  const bool quoted = !value.empty() && value.front() == '"';
  if (quoted && (value.size() < 2 || value.back() != '"')) return {"", "a text that opens with \" must end with \""};
  return read_text(quoted ? value.substr(1, value.size() - 2) : value, quoted);
}

TextParse literal_text(std::string_view value) { return read_text(value, false); }
