#include "setuprec/json_form.h"

#include <cmath>
#include <cstdio>

#include "data/field_names.h"
#include "platform/cp437.h"
#include "platform/printable_name.h"
#include "setuprec/field_form.h"
#include "setuprec/text_form.h"

namespace {

constexpr std::string_view SHORT_ESCAPES = "\"\\\b\f\n\r\t", SHORT_LETTERS = "\"\\bfnrt";
constexpr std::string_view NUMBER_CHARACTERS = "+-.0123456789eE";

// cp437: bytes above 127 are code page 437 characters, else left as they are.
std::string quote(std::string_view bytes, bool cp437) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    const size_t letter = SHORT_ESCAPES.find(ch);
    if (letter != std::string_view::npos) {
      out += '\\';
      out += SHORT_LETTERS[letter];
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else if (c >= 0x80 && cp437) {
      append_utf8(out, cp437_to_unicode(c));
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

bool is_number_kind(FieldKind kind) {
  return kind == FieldKind::BYTE || kind == FieldKind::SIGNED_BYTE || kind == FieldKind::HIGH_DIGIT ||
         kind == FieldKind::LOW_DIGIT;
}

std::string json_value(const SetupRecord& r, const NamedField& f) {
  if (f.kind == FieldKind::TEXT) return quote(get_text(r, f.field), true);
  const std::string text = format_field(r, f);
  const bool number = is_number_kind(f.kind) || (f.kind == FieldKind::DOUBLE && std::isfinite(get_double(r, f.field)));
  return number ? text : quote(text, false);
}

// A reader of one flat object, counting lines for the messages.
struct JsonReader {
  std::string_view text;
  size_t pos = 0;
  int line = 1;

  void skip_blanks() {
    for (; pos < text.size() && std::string_view(" \t\r\n").find(text[pos]) != std::string_view::npos; ++pos)
      if (text[pos] == '\n') ++line;
  }
  bool take(char c) {
    skip_blanks();
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
  }
  bool at(char c) const { return pos < text.size() && text[pos] == c; }
};

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Four hex digits after "\u"; -1 when they are not.
long read_hex4(JsonReader& in) {
  if (in.pos + 4 > in.text.size()) return -1;
  long value = 0;
  for (int i = 0; i < 4; ++i) {
    const int d = hex_digit(in.text[in.pos++]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

// The code point of a \u escape (a surrogate pair taken whole); -1 when bad.
long read_unicode_escape(JsonReader& in) {
  const long first = read_hex4(in);
  if (first < 0xD800 || first > 0xDFFF) return first;
  if (first > 0xDBFF || in.text.substr(in.pos, 2) != "\\u") return -1;
  in.pos += 2;
  const long second = read_hex4(in);
  if (second < 0xDC00 || second > 0xDFFF) return -1;
  return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

bool read_escape(JsonReader& in, std::string& out) {
  if (in.pos >= in.text.size()) return false;
  const char c = in.text[in.pos++];
  const size_t letter = SHORT_LETTERS.find(c);
  if (letter != std::string_view::npos || c == '/') {
    out += c == '/' ? '/' : SHORT_ESCAPES[letter];
    return true;
  }
  const long code_point = c == 'u' ? read_unicode_escape(in) : -1;
  if (code_point < 0) return false;
  append_utf8(out, static_cast<char32_t>(code_point));
  return true;
}

// A string after its opening quote, as UTF-8 bytes.
bool read_string(JsonReader& in, std::string& out) {
  while (in.pos < in.text.size()) {
    const char c = in.text[in.pos++];
    if (c == '"') return true;
    if (static_cast<unsigned char>(c) < 0x20) return false;  // JSON has no raw control characters
    if (c != '\\') {
      out += c;
    } else if (!read_escape(in, out)) {
      return false;
    }
  }
  return false;
}

struct JsonValue {
  std::string text;
  bool is_string = false;
};

bool read_value(JsonReader& in, JsonValue& value) {
  in.skip_blanks();
  if (in.at('"')) {
    ++in.pos;
    value.is_string = true;
    return read_string(in, value.text);
  }
  const size_t start = in.pos;
  while (in.pos < in.text.size() && NUMBER_CHARACTERS.find(in.text[in.pos]) != std::string_view::npos) ++in.pos;
  value.text = std::string(in.text.substr(start, in.pos - start));
  return !value.text.empty();
}

// The value in the text form store_field reads; a text as the bytes it names.
std::string text_form_of(const std::string& name, const JsonValue& value, std::string& error) {
  const NamedField* f = find_named_field(name);
  if (!f || f->kind != FieldKind::TEXT) return value.text;
  if (!value.is_string) {
    error = "a text is a JSON string";
    return "";
  }
  const TextParse text = literal_text(value.text);
  error = text.error;
  return quote_text(text.bytes);
}

std::string line_error(int line, const std::string& text) { return std::to_string(line) + ": " + text; }

}  // namespace

std::string json_string(std::string_view bytes) { return quote(bytes, false); }

std::string json_record(const SetupRecord& record, const std::string& indent) {
  std::string out = "{";
  const char* separator = "\n";
  for (const NamedField& f : named_fields()) {
    out += separator + indent + "  " + quote(f.name, false) + ": " + json_value(record, f);
    separator = ",\n";
  }
  return out + "\n" + indent + "}";
}

std::string json_diff(const SetupRecord& a, const SetupRecord& b) {
  std::string out = "{";
  const char* separator = "\n";
  for (const NamedField& f : named_fields()) {
    const std::string left = json_value(a, f), right = json_value(b, f);
    if (left == right) continue;
    out += separator + std::string("  ") + quote(f.name, false) + ": [" + left + ", " + right + "]";
    separator = ",\n";
  }
  return out == "{" ? "{}" : out + "\n}";
}

std::vector<Assignment> read_json_dump(std::string_view text, std::vector<std::string>& errors) {
  JsonReader in{text};
  std::vector<Assignment> assignments;
  const std::string shape = "not a JSON object of field names and values";
  if (!in.take('{')) {
    errors.push_back(line_error(in.line, shape));
    return {};
  }
  bool more = !in.take('}');
  while (more) {
    Assignment a;
    JsonValue value;
    if (!in.take('"') || !read_string(in, a.name) || !in.take(':') || !read_value(in, value)) {
      errors.push_back(line_error(in.line, shape));
      return {};
    }
    a.line = in.line;
    std::string error;
    a.value = text_form_of(a.name, value, error);
    if (!error.empty()) errors.push_back(line_error(a.line, printable_name(a.name) + ": " + error));
    assignments.push_back(a);
    more = in.take(',');
    if (!more && !in.take('}')) {
      errors.push_back(line_error(in.line, shape));
      return {};
    }
  }
  in.skip_blanks();
  if (in.pos != text.size()) errors.push_back(line_error(in.line, "text after the object"));
  return assignments;
}
