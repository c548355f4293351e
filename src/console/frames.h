// Screen primitives: runs of characters, pieces of texts, boxes and dividers
// drawn with code page 437 line characters. Everything writes at the cursor
// in the current attribute unless it takes an attribute.
#pragma once
#include <string>

namespace frame {
constexpr int PLAIN = 0;
constexpr int VERTICAL_DIVIDER = 1;
constexpr int VERTICAL_DIVIDER_DOUBLE_TOP = 2;
constexpr int SINGLE_DIVIDER = 3;
constexpr int DOUBLE_DIVIDER = 4;
constexpr int SHADOWED = 8;
constexpr int SHADED = 16;
}  // namespace frame

namespace box_char {
constexpr int TOP_LEFT = 218;
constexpr int TOP_RIGHT = 191;
constexpr int BOTTOM_LEFT = 192;
constexpr int BOTTOM_RIGHT = 217;
constexpr int HORIZONTAL = 196;
constexpr int DOUBLE_HORIZONTAL = 205;
constexpr int VERTICAL = 179;
constexpr int SHADE = 177;
constexpr int T_DOWN = 194;
constexpr int T_DOWN_FROM_DOUBLE = 209;
constexpr int T_UP = 193;
constexpr int T_RIGHT = 195;
constexpr int T_LEFT = 180;
constexpr int T_RIGHT_DOUBLE = 198;
constexpr int T_LEFT_DOUBLE = 181;
}  // namespace box_char

void repeat_char(int count, int ch) noexcept;
void put_spaces(int count) noexcept;
// Characters at 1-based positions from..to, both included.
std::string copy_substring(const std::string& text, int from, int to);
std::string copy_prefix(const std::string& text, int n);
void draw_frame(int type, int x1, int y1, int x2, int y2, int attr, const std::string& title) noexcept;
int int_power(int base, int exponent) noexcept;
