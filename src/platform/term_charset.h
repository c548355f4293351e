// The terminal's line-drawing set as its terminfo `acsc` describes it: which
// byte draws each VT100 line-drawing symbol, and which bytes the set shows
// differently from ASCII (so the writer must leave the set before them).
#pragma once
#include <string_view>

struct LineDrawingSet {
  char draws[128] = {};     // VT100 symbol ('q', 'x', 'a' ...) -> byte to send; 0: none
  bool replaced[128] = {};  // bytes that do not look like ASCII inside the set
};

// acsc holds pairs (VT100 symbol, byte to send); empty means the DEC set as
// a VT100 has it. Bytes 0x5F-0x7E count as replaced whatever acsc says: every
// DEC-compatible set draws its own glyphs there.
LineDrawingSet line_drawing_set(std::string_view acsc) noexcept;

// An ASCII stand-in for a VT100 symbol the terminal cannot draw.
char line_drawing_fallback(char symbol) noexcept;
