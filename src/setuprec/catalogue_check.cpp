#include "setuprec/catalogue_check.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "data/catalogue.h"
#include "data/catalogue_map.h"
#include "platform/text_codes.h"

namespace {

constexpr size_t MAX_TEXT = 29;     // the loader's 30-character read keeps 29 and the newline
using namespace catalogue_map;

using Problems = std::vector<CatalogueProblem>;

std::string quoted_char(unsigned char c) {
  char out[16];
  std::snprintf(out, sizeof out, c >= 0x20 && c < 0x7F ? "'%c'" : "byte 0x%02x", c);
  return out;
}

// The lines of the file as the editor's loader sees them, before its
// 30-character rule.
std::vector<std::string> split_lines(const std::string& bytes, bool& ends_with_newline) {
  std::vector<std::string> lines(1);
  for (const char c : catalogue_dos_text(bytes)) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  ends_with_newline = lines.back().empty();
  if (ends_with_newline) lines.pop_back();
  return lines;
}

// A well-formed multi-byte UTF-8 sequence at i: the file was saved in the
// wrong charset.
bool utf8_sequence_at(const std::string& s, size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  const auto n = static_cast<size_t>(utf8_sequence_length(lead));
  if (n == 0 || i + n > s.size()) return false;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
  }
  return true;
}

void check_bytes(const std::string& text, int line, Problems& out) {
  if (text.size() > MAX_TEXT) {
    const size_t reads = (text.size() + MAX_TEXT + 1) / (MAX_TEXT + 1);  // with its newline, 30 a read
    out.push_back({line, std::to_string(text.size()) + " characters, at most 29: the loader reads this line as " +
                             std::to_string(reads) + " lines and every later line moves down " +
                             std::to_string(reads - 1)});
  }
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      out.push_back({line, "control " + quoted_char(c) + " is not a code page 437 character"});
      return;
    }
    if (utf8_sequence_at(text, i)) {
      out.push_back({line, "UTF-8 bytes: the file must be written in code page 437"});
      return;
    }
  }
}

// The menu bar opens the first item whose first byte equals the typed key
// with bit 5 cleared, for keys from 'A' up.
bool key_reaches(unsigned char first) { return (first & 0x20) == 0 && first >= 0x40; }

void check_menu_bar(const std::vector<std::string>& lines, Problems& out) {
  std::map<unsigned char, int> taken;
  for (int i = FIRST_MENU_ITEM; i <= LAST_MENU_ITEM && i < static_cast<int>(lines.size()); ++i) {
    const std::string& t = lines[static_cast<size_t>(i)];
    const auto first = static_cast<unsigned char>(t.empty() ? 0 : t[0]);
    if (!key_reaches(first)) {
      out.push_back({i + 1, "menu-bar item starts with " + (t.empty() ? std::string("nothing") : quoted_char(first)) +
                                ": no key reaches it (use a capital letter)"});
    } else if (taken.count(first)) {
      out.push_back({i + 1, "menu-bar item starts with " + quoted_char(first) + " like line " +
                                std::to_string(taken[first]) + ": its key opens that one"});
    } else {
      taken[first] = i + 1;
    }
  }
}

void check_entry(const std::string& t, int index, std::map<unsigned char, int>& keys, Problems& out) {
  const int line = index + 1;
  if (!t.empty() && t[0] == SEPARATOR_MARK) {
    out.push_back({line, "pop-up entry starts with '~' and shows as a separator"});
    return;
  }
  int marks = 0;
  const auto key = static_cast<unsigned char>(entry_hotkey(t, &marks));
  if (marks != 1) {
    out.push_back({line, marks == 0 ? "pop-up entry has no '&' before its hotkey"
                                    : "pop-up entry has " + std::to_string(marks) + " '&' marks, one is needed"});
    return;
  }
  if (keys.count(key)) {
    out.push_back({line, "hotkey " + quoted_char(key) + " is also the hotkey of line " + std::to_string(keys[key])});
    return;
  }
  keys[key] = line;
}

void check_popups(const std::vector<std::string>& lines, Problems& out) {
  const int count = static_cast<int>(lines.size());
  for (const PopupBlock& block : POPUPS) {
    std::map<unsigned char, int> keys;
    for (int i = block.entry(1); i <= block.last(); ++i) {
      if (i >= count) break;
      const std::string& t = lines[static_cast<size_t>(i)];
      if (i != COLOUR_SEPARATOR) {
        check_entry(t, i, keys, out);
      } else if (t.empty() || t[0] != SEPARATOR_MARK) {
        out.push_back({i + 1, "the separator line must start with '~'"});
      }
    }
  }
}

void check_length(const std::vector<std::string>& lines, bool ends_with_newline, Problems& out) {
  const int count = static_cast<int>(lines.size());
  if (!lines.empty() && !ends_with_newline)
    out.push_back({count, "the last line has no newline: the loader drops its last character"});
  if (count < LINES_SHOWN)
    out.push_back({count + 1, "the file ends after " + std::to_string(count) +
                                  " lines; the editor shows lines up to 139, the missing ones empty"});
  if (count > CATALOGUE_LINES) out.push_back({CATALOGUE_LINES + 1, "lines after 260 are never loaded"});
}

}  // namespace

std::vector<CatalogueProblem> check_catalogue(const std::string& bytes) {
  bool ends_with_newline = true;
  const std::vector<std::string> lines = split_lines(bytes, ends_with_newline);
  Problems out;
  for (size_t i = 0; i < lines.size(); ++i) check_bytes(lines[i], static_cast<int>(i) + 1, out);
  check_menu_bar(lines, out);
  check_popups(lines, out);
  check_length(lines, ends_with_newline, out);
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.line < b.line; });
  return out;
}
