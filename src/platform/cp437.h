// Code page 437, the character set of the grid: every byte 0..255 has one
// glyph (0x01-0x1F and 0x7F are pictures, never control characters; 0x00
// shows as a space). Output maps bytes to Unicode; UTF-8 input maps back.
#pragma once
#include <cstdint>
#include <string>

// The glyph of a byte.
char32_t cp437_to_unicode(uint8_t byte) noexcept;
// The byte whose glyph is code_point, or -1 when there is none.
// ASCII 0x20-0x7E map to themselves; other code points below 0x80 have none.
int cp437_from_unicode(char32_t code_point) noexcept;
// Appends code_point (at most U+10FFFF, no surrogates) as UTF-8.
void append_utf8(std::string& out, char32_t code_point) noexcept;
// For a terminal without UTF-8: the DEC special graphics letter that draws a
// box or shade byte (double lines fall back to single ones, blocks and shades
// to the checkerboard), or 0 when the byte has no such stand-in.
char cp437_line_drawing(uint8_t byte) noexcept;
