#include "platform/printable_name.h"

#include <cstdio>

std::string printable_name(std::string_view name) {
  std::string out;
  for (const unsigned char c : name) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
    out += c == '\\' ? "\\\\" : (c >= 0x20 && c < 0x7f) ? std::string(1, static_cast<char>(c)) : escaped;
  }
  return out;
}
