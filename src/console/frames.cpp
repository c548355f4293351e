#include "console/frames.h"

#include "platform/screen.h"

void repeat_char(int count, int ch) noexcept {
  for (int i = 0; i < count; ++i) putch(ch);
}

void put_spaces(int count) noexcept { repeat_char(count, ' '); }

std::string copy_substring(const std::string& text, int from, int to) {
  const int first = from < 1 ? 1 : from;
  const int last = to > static_cast<int>(text.size()) ? static_cast<int>(text.size()) : to;
  if (first > last) return {};
  return text.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

std::string copy_prefix(const std::string& text, int n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<size_t>(n));
}

int int_power(int base, int exponent) noexcept {
  int result = 1;
  for (int i = 0; i < exponent; ++i) result *= base;
  return result;
}

namespace {

constexpr int SHADOW_ATTR = 0;

void draw_shadow_cells(int count, int attr) {
  textattr(SHADOW_ATTR);
  put_spaces(count);
  textattr(attr);
}

void draw_box(int type, int x1, int y1, int x2, int y2, int attr, const std::string& title) {
  using namespace box_char;
  const int w = x2 - x1 - 1;
  textattr(attr);
  gotoxy(x1, y1);
  putch(TOP_LEFT);
  repeat_char(w, title.empty() ? HORIZONTAL : DOUBLE_HORIZONTAL);
  putch(TOP_RIGHT);
  for (int r = y1 + 1; r < y2; ++r) {
    gotoxy(x1, r);
    putch(VERTICAL);
    repeat_char(w, type == frame::SHADED ? SHADE : ' ');
    putch(VERTICAL);
    if (type == frame::SHADOWED) draw_shadow_cells(2, attr);
  }
  textattr(attr);
  gotoxy(x1, y2);
  putch(BOTTOM_LEFT);
  repeat_char(w, HORIZONTAL);
  putch(BOTTOM_RIGHT);
  if (type == frame::SHADOWED) {
    draw_shadow_cells(2, attr);
    if (y2 < SCREEN_ROWS) {  // a box on the last row has no room for its shadow
      gotoxy(x1 + 2, y2 + 1);
      draw_shadow_cells(x2 - x1 + 1, attr);
    }
  }
  if (!title.empty()) {
    const int c = x1 + (x2 - x1) / 2 - static_cast<int>(title.size()) / 2 - 1;
    gotoxy(c, y1);
    textattr(attr);
    cprintf(" %s ", title.c_str());
    gotoxy(c, y1);
  }
}

void draw_vertical_divider(int top, int x1, int y1, int y2, int attr) {
  textattr(attr);
  gotoxy(x1, y1);
  putch(top);
  for (int r = y1 + 1; r < y2; ++r) {
    gotoxy(x1, r);
    putch(box_char::VERTICAL);
  }
  gotoxy(x1, y2);
  putch(box_char::T_UP);
}

void draw_horizontal_divider(int left, int line, int right, int x1, int y1, int x2) {
  gotoxy(x1, y1);
  putch(left);
  repeat_char(x2 - x1 - 1, line);
  putch(right);
}

}  // namespace

void draw_frame(int type, int x1, int y1, int x2, int y2, int attr, const std::string& title) noexcept {
  using namespace box_char;
  switch (type) {
    case frame::PLAIN:
    case frame::SHADOWED:
    case frame::SHADED:
      draw_box(type, x1, y1, x2, y2, attr, title);
      break;
    case frame::VERTICAL_DIVIDER:
      draw_vertical_divider(T_DOWN, x1, y1, y2, attr);
      break;
    case frame::VERTICAL_DIVIDER_DOUBLE_TOP:
      draw_vertical_divider(T_DOWN_FROM_DOUBLE, x1, y1, y2, attr);
      break;
    case frame::SINGLE_DIVIDER:
      draw_horizontal_divider(T_RIGHT, HORIZONTAL, T_LEFT, x1, y1, x2);
      break;
    case frame::DOUBLE_DIVIDER:
      draw_horizontal_divider(T_RIGHT_DOUBLE, DOUBLE_HORIZONTAL, T_LEFT_DOUBLE, x1, y1, x2);
      break;
    default:
      break;  // other types draw nothing
  }
}
