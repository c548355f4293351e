// Attribute bytes to SGR sequences. BIOS colour order (blue is bit 0, red
// bit 2) becomes ANSI order (red bit 0, blue bit 2) by swapping those bits.
#pragma once
#include <cstdint>
#include <string>

// Colour depths the writer draws with (WriterOptions::colours):
// MONOCHROME: reverse, bold and blink only; fewer than 16: a bright
// foreground is bold plus the base colour; 16: the ANSI colours; 256: the
// indices nearest the VGA colours; TRUECOLOR: the VGA colours exactly.
constexpr int MONOCHROME = 0;
constexpr int TRUECOLOR = 1 << 24;

// The shortest SGR sequence that takes the terminal from attribute from
// (-1: unknown) to attribute to; empty when nothing changes on screen.
std::string sgr_change(int from, uint8_t to, int colours) noexcept;

// The depth to draw with: override (SETUPEDIT_COLOURS: "16", "256" or
// "truecolor") wins; else colorterm (COLORTERM: "truecolor" or "24bit") on a
// terminal with colours; else what terminfo says (below 8: monochrome).
// Null strings count as unset.
int choose_colours(int terminfo_colours, const char* colorterm, const char* override) noexcept;
