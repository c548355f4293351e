#include <gtest/gtest.h>

#include "console/frames.h"
#include "platform/screen.h"
#include "support/test_support.h"

namespace {

class Frames : public ConsoleTest {};

std::string run_of(int n, int ch) { return std::string(static_cast<size_t>(n), static_cast<char>(ch)); }
std::string chars(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TEST_F(Frames, TextHelpers) {
  EXPECT_EQ(copy_substring("0a1b", 3, 4), "1b");
  EXPECT_EQ(copy_substring("0a1b", 1, 2), "0a");
  EXPECT_EQ(copy_substring("0a1b", 3, 2), "");
  EXPECT_EQ(copy_substring("0a1", 3, 4), "1") << "a single last character";
  EXPECT_EQ(copy_prefix("123456789", 15), "123456789");
  EXPECT_EQ(copy_prefix("1234567890", 8), "12345678");
  const std::pair<int, int> powers[] = {{0, 1}, {7, 128}, {-1, 1}, {3, 8}};
  for (auto [exponent, value] : powers) EXPECT_EQ(int_power(2, exponent), value) << exponent;
}

TEST_F(Frames, RunsOfNothingWriteNothing) {
  gotoxy(5, 5);
  repeat_char(-3, 196);
  put_spaces(0);
  EXPECT_EQ(wherex(), 5);
  EXPECT_EQ(screen_text(5), std::string(80, ' '));
}

TEST_F(Frames, MainFrameTitleIsCentredOnADoubleTopEdge) {
  draw_frame(frame::PLAIN, 1, 4, 80, 24, 0x1E, "ABCDEFGHIJ");
  const std::string top = screen_text(4);
  EXPECT_EQ(top.substr(0, 33), chars({218}) + run_of(32, 205));
  EXPECT_EQ(screen_text(4, 34, 45), " ABCDEFGHIJ ");
  EXPECT_EQ(screen_text(4, 46, 80), run_of(34, 205) + chars({191}));
  EXPECT_EQ(screen_text(24), chars({192}) + run_of(78, 196) + chars({217}));
  EXPECT_EQ(screen_text(10), chars({179}) + std::string(78, ' ') + chars({179}));
  EXPECT_EQ(screen_attr(40, 10), 0x1E);
  EXPECT_EQ(current_attr(), 0x1E);
  EXPECT_EQ(wherex(), 34) << "cursor back at the title";
  EXPECT_EQ(wherey(), 4);
}

TEST_F(Frames, ShadowLiesRightOfAndUnderTheBox) {
  gotoxy(1, 1);
  textattr(0x70);
  for (int i = 0; i < 25 * 80 - 1; ++i) putch('.');
  draw_frame(frame::SHADOWED, 20, 13, 60, 18, 0x1F, "");
  for (int row = 13; row <= 19; ++row)
    for (int col = 19; col <= 63; ++col) {
      const bool box = col >= 20 && col <= 60 && row <= 18;
      const bool right_shadow = (col == 61 || col == 62) && row >= 14 && row <= 18;
      const bool under_shadow = row == 19 && col >= 22 && col <= 62;
      const int expected = box ? 0x1F : (right_shadow || under_shadow) ? 0x00 : 0x70;
      EXPECT_EQ(screen_attr(col, row), expected) << col << "," << row;
    }
  EXPECT_EQ(screen_text(13, 20, 60), chars({218}) + run_of(39, 196) + chars({191})) << "no title: single edge";
}

TEST_F(Frames, InteriorFillByType) {
  const std::pair<int, int> cases[] = {{frame::PLAIN, ' '}, {frame::SHADOWED, ' '}, {frame::SHADED, 177}};
  for (auto [type, fill] : cases) {
    screen_reset();
    draw_frame(type, 10, 5, 20, 8, 0x17, "");
    EXPECT_EQ(screen_text(6, 11, 19), run_of(9, fill)) << type;
    EXPECT_EQ(screen_attr(15, 7), 0x17) << type;
  }
}

TEST_F(Frames, Dividers) {
  textattr(0x21);
  draw_frame(frame::VERTICAL_DIVIDER, 30, 5, 0, 9, 0x17, "ignored");
  EXPECT_EQ(screen_text(5, 30, 30), chars({194}));
  EXPECT_EQ(screen_text(7, 30, 30), chars({179}));
  EXPECT_EQ(screen_text(9, 30, 30), chars({193}));
  EXPECT_EQ(screen_attr(30, 7), 0x17);
  draw_frame(frame::VERTICAL_DIVIDER_DOUBLE_TOP, 40, 5, 0, 9, 0x17, "");
  EXPECT_EQ(screen_text(5, 40, 40), chars({209}));

  textattr(0x21);
  draw_frame(frame::SINGLE_DIVIDER, 10, 12, 20, 0, 0x17, "");
  EXPECT_EQ(screen_text(12, 10, 20), chars({195}) + run_of(9, 196) + chars({180}));
  EXPECT_EQ(screen_attr(15, 12), 0x21) << "dividers 3 and 4 keep the current attribute";
  draw_frame(frame::DOUBLE_DIVIDER, 10, 13, 20, 0, 0x17, "");
  EXPECT_EQ(screen_text(13, 10, 20), chars({198}) + run_of(9, 205) + chars({181}));
}

TEST_F(Frames, UnknownTypesDrawNothing) {
  for (int type : {5, 6, 7, 9, 15, 17, 99}) {
    draw_frame(type, 2, 2, 30, 10, 0x17, "T");
    EXPECT_EQ(screen_text(2), std::string(80, ' ')) << type;
  }
}

}  // namespace
