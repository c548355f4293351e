#include <gtest/gtest.h>

#include <string>

#include "platform/cp437.h"

namespace {

TEST(Cp437, GlyphsAndTheirWayBack) {
  struct Case {
    uint8_t byte;
    char32_t glyph;
  };
  const Case cases[] = {{0x00, U' '}, {0x01, U'☺'}, {0x0A, U'◙'}, {0x1B, U'←'}, {0x1F, U'▼'},
                        {'A', U'A'},  {0x7F, U'⌂'}, {0x80, U'Ç'}, {0x9E, U'₧'}, {0xB0, U'░'},
                        {0xC9, U'╔'}, {0xE1, U'ß'}, {0xFE, U'■'}, {0xFF, 0x00A0}};
  for (const Case& c : cases) {
    EXPECT_EQ(cp437_to_unicode(c.byte), c.glyph) << int(c.byte);
    if (c.byte != 0) {
      EXPECT_EQ(cp437_from_unicode(c.glyph), c.byte) << int(c.byte);
    }
  }
  for (int b = 1; b < 256; ++b) EXPECT_EQ(cp437_from_unicode(cp437_to_unicode(uint8_t(b))), b);
  for (char32_t none : {char32_t(0), char32_t(0x0A), char32_t(0x7F), U'€', U'😀'})
    EXPECT_EQ(cp437_from_unicode(none), -1) << uint32_t(none);
}

TEST(Cp437, Utf8Encoding) {
  const std::pair<char32_t, std::string> cases[] = {
      {U'a', "a"}, {U'é', "\xC3\xA9"}, {U'═', "\xE2\x95\x90"}, {U'😀', "\xF0\x9F\x98\x80"}};
  for (const auto& [cp, bytes] : cases) {
    std::string out;
    append_utf8(out, cp);
    EXPECT_EQ(out, bytes) << uint32_t(cp);
  }
}

TEST(Cp437, LineDrawingStandIns) {
  const std::pair<uint8_t, char> cases[] = {
      {0xC4, 'q'}, {0xCD, 'q'}, {0xB3, 'x'}, {0xBA, 'x'}, {0xDA, 'l'}, {0xC9, 'l'}, {0xBF, 'k'},
      {0xBB, 'k'}, {0xC0, 'm'}, {0xC8, 'm'}, {0xD9, 'j'}, {0xBC, 'j'}, {0xC5, 'n'}, {0xCE, 'n'},
      {0xC3, 't'}, {0xCC, 't'}, {0xB4, 'u'}, {0xB9, 'u'}, {0xC2, 'w'}, {0xCB, 'w'}, {0xC1, 'v'},
      {0xCA, 'v'}, {0xB0, 'a'}, {0xB2, 'a'}, {0xDB, 'a'}, {'A', 0},    {0x82, 0},   {0xAF, 0},
      {0xE0, 0}};
  for (const auto& [byte, letter] : cases) EXPECT_EQ(cp437_line_drawing(byte), letter) << int(byte);
}

}  // namespace
