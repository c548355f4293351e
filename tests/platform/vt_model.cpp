#include "vt_model.h"

#include <sstream>

namespace {

int bios(int ansi) { return (ansi & 2) | ((ansi & 1) << 2) | ((ansi & 4) >> 2); }

// The colours a terminal with 256 colours or truecolor must be sent, in BIOS order.
constexpr int VGA_256[16] = {16, 19, 34, 37, 124, 127, 130, 248, 240, 63, 83, 87, 203, 207, 227, 231};
constexpr int VGA_RGB[16][3] = {
    {0x00, 0x00, 0x00}, {0x00, 0x00, 0xAA}, {0x00, 0xAA, 0x00}, {0x00, 0xAA, 0xAA},
    {0xAA, 0x00, 0x00}, {0xAA, 0x00, 0xAA}, {0xAA, 0x55, 0x00}, {0xAA, 0xAA, 0xAA},
    {0x55, 0x55, 0x55}, {0x55, 0x55, 0xFF}, {0x55, 0xFF, 0x55}, {0x55, 0xFF, 0xFF},
    {0xFF, 0x55, 0x55}, {0xFF, 0x55, 0xFF}, {0xFF, 0xFF, 0x55}, {0xFF, 0xFF, 0xFF}};
constexpr int TRUECOLOR = 1 << 24;
constexpr char32_t NOT_A_BOX = U'\u00A4';  // arrows, blocks, degrees ...

}  // namespace

char32_t dec_graphic(char c) {
  switch (c) {
    case 'j': return U'┘';
    case 'k': return U'┐';
    case 'l': return U'┌';
    case 'm': return U'└';
    case 'n': return U'┼';
    case 'q': return U'─';
    case 't': return U'├';
    case 'u': return U'┤';
    case 'v': return U'┴';
    case 'w': return U'┬';
    case 'x': return U'│';
    case 'a': return U'▒';
    default: return 0;
  }
}

namespace {

std::vector<int> numbers(const std::string& params) {
  std::vector<int> values;
  std::stringstream in(params);
  std::string item;
  while (std::getline(in, item, ';')) values.push_back(item.empty() ? 0 : std::stoi(item));
  if (values.empty()) values.push_back(0);
  return values;
}

}  // namespace

VtModel::VtModel(int columns, int rows, bool utf8, int colours)
    : columns_(columns), rows_(rows), utf8_(utf8), colours_(colours),
      cells_(static_cast<size_t>(columns * rows)) {}

void VtModel::apply(const std::string& bytes) {
  for (unsigned char c : bytes) {
    switch (state_) {
      case State::ESC:
        if (c == '[') {
          state_ = State::CSI;
          params_.clear();
        } else if (c == '(') {
          state_ = State::CHARSET;
        } else {
          errors_.push_back("ESC " + std::string(1, static_cast<char>(c)));
          state_ = State::TEXT;
        }
        continue;
      case State::CSI:
        if (c >= 0x40 && c <= 0x7E) {
          state_ = State::TEXT;
          csi(params_, static_cast<char>(c));
        } else {
          params_ += static_cast<char>(c);
        }
        continue;
      case State::CHARSET:
        line_drawing_ = c == '0';
        if (c != '0' && c != 'B') errors_.push_back("charset " + std::string(1, static_cast<char>(c)));
        state_ = State::TEXT;
        continue;
      case State::TEXT:
        break;
    }
    if (utf8_left_ > 0) {
      utf8_char_ = (utf8_char_ << 6) | (c & 0x3F);
      if (--utf8_left_ == 0) print(utf8_char_);
    } else if (c == 0x1B) {
      state_ = State::ESC;
    } else if (c < 0x20 || c == 0x7F) {
      control(c);
    } else if (c < 0x80 || !utf8_) {
      print(line_drawing_ ? in_line_drawing_set(c) : c);
    } else {
      utf8_left_ = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
      utf8_char_ = c & (0x3F >> utf8_left_);
    }
  }
}

void VtModel::set_acsc(const std::string& acsc) { acsc_ = acsc; }

char32_t VtModel::in_line_drawing_set(unsigned char c) {
  if (acsc_.empty()) {
    const char32_t dec = dec_graphic(static_cast<char>(c));
    if (c >= 0x5F && c <= 0x7E && !dec) errors_.push_back("unknown line-drawing letter");
    return dec ? dec : c;
  }
  for (size_t i = 0; i + 1 < acsc_.size(); i += 2)
    if (static_cast<unsigned char>(acsc_[i + 1]) == c) {
      const char32_t glyph = dec_graphic(acsc_[i]);
      return glyph ? glyph : NOT_A_BOX;
    }
  return c;
}

void VtModel::control(unsigned char c) {
  if (c == 7) {
    ++bells_;
  } else if (c == '\b') {
    move_relative(0, -1);
  } else if (c == '\r') {
    move_relative(0, 1 - column_);
  } else {
    errors_.push_back("control byte " + std::to_string(c));
  }
}

void VtModel::csi(const std::string& params, char final_byte) {
  if (!params.empty() && params[0] == '?') {  // private modes (cursor, screens): no cells change
    if (final_byte != 'h' && final_byte != 'l') errors_.push_back("CSI " + params + final_byte);
    return;
  }
  const std::vector<int> n = numbers(params);
  if (final_byte == 'H') {
    row_ = std::max(1, std::min(n[0] ? n[0] : 1, rows_));
    column_ = std::max(1, std::min(n.size() > 1 && n[1] ? n[1] : 1, columns_));
    pending_wrap_ = false;
  } else if (final_byte >= 'A' && final_byte <= 'D' && n.size() == 1) {
    const int count = n[0] ? n[0] : 1;
    const int rows = final_byte == 'A' ? -count : final_byte == 'B' ? count : 0;
    move_relative(rows, final_byte == 'C' ? count : final_byte == 'D' ? -count : 0);
  } else if (final_byte == 'J' && n[0] == 2) {
    for (VtCell& cell : cells_) cell = VtCell{U' ', attr()};
  } else if (final_byte == 'm') {
    sgr(params);
  } else {
    errors_.push_back("CSI " + params + final_byte);
  }
}

// 38/48;5;n or 38/48;2;r;g;b from position i on; i ends on the last number.
int VtModel::colour(const std::vector<int>& n, size_t& i) {
  if (i + 2 < n.size() && n[i + 1] == 5 && colours_ == 256) {
    i += 2;
    for (int c = 0; c < 16; ++c)
      if (VGA_256[c] == n[i]) return c;
  } else if (i + 4 < n.size() && n[i + 1] == 2 && colours_ == TRUECOLOR) {
    i += 4;
    for (int c = 0; c < 16; ++c)
      if (VGA_RGB[c][0] == n[i - 2] && VGA_RGB[c][1] == n[i - 1] && VGA_RGB[c][2] == n[i]) return c;
  }
  errors_.push_back("extended colour not for this terminal");
  i = n.size();
  return -1;
}

void VtModel::sgr(const std::string& params) {
  const std::vector<int> n = numbers(params);
  const bool sixteen = colours_ > 0 && colours_ <= 16;
  for (size_t i = 0; i < n.size(); ++i) {
    const int p = n[i];
    if (p == 0) {
      fg_ = bg_ = -1;
      bold_ = blink_ = reverse_ = false;
    } else if (p == 1 || p == 22) {
      bold_ = p == 1;
      if (bold_ && colours_ >= 16) errors_.push_back("bold on a terminal with 16 colours or more");
    } else if (p == 5 || p == 25) {
      blink_ = p == 5;
    } else if (p == 7 || p == 27) {
      reverse_ = p == 7;
      if (colours_ > 0) errors_.push_back("reverse on a colour terminal");
    } else if (p >= 30 && p <= 37 && sixteen) {
      fg_ = bios(p - 30);
    } else if (p >= 90 && p <= 97 && sixteen) {
      fg_ = bios(p - 90) + 8;
      if (colours_ < 16) errors_.push_back("bright colour on an 8-colour terminal");
    } else if (p >= 40 && p <= 47 && sixteen) {
      bg_ = bios(p - 40);
    } else if (p == 38) {
      fg_ = colour(n, i);
    } else if (p == 48) {
      bg_ = colour(n, i);
    } else {
      errors_.push_back("SGR " + std::to_string(p));
    }
  }
}

int VtModel::attr() const {
  if (colours_ == 0) return (reverse_ ? 0x70 : 0x07) | (bold_ ? 8 : 0) | (blink_ ? 0x80 : 0);
  if (fg_ < 0 || bg_ < 0) return -1;
  return fg_ | (bold_ ? 8 : 0) | (bg_ << 4) | (blink_ ? 0x80 : 0);
}

void VtModel::print(char32_t ch) {
  if (pending_wrap_) {
    pending_wrap_ = false;
    column_ = 1;
    if (++row_ > rows_) {
      errors_.push_back("scrolled");
      row_ = rows_;
    }
  }
  cells_[(row_ - 1) * columns_ + column_ - 1] = VtCell{ch, attr()};
  if (column_ == columns_) {
    pending_wrap_ = true;
  } else {
    ++column_;
  }
}

// Where the cursor is after writing the last column differs between
// terminals, and a move that runs into an edge stops there: both mean the
// writer counted wrong, so both are errors.
void VtModel::move_relative(int rows, int columns) {
  if (pending_wrap_) errors_.push_back("relative move after the last column");
  pending_wrap_ = false;
  const int row = row_ + rows, column = column_ + columns;
  if (row < 1 || row > rows_ || column < 1 || column > columns_) errors_.push_back("move past an edge");
  row_ = std::max(1, std::min(row, rows_));
  column_ = std::max(1, std::min(column, columns_));
}
