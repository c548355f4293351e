// Attribute bytes to SGR sequences. BIOS colour order (blue is bit 0, red
// bit 2) becomes ANSI order (red bit 0, blue bit 2) by swapping those bits.
#pragma once
#include <cstdint>
#include <string>

// Colour depths the writer draws with (WriterOptions::colours):
// MONOCHROME: reverse, bold, underline, dim and blink only; fewer than 16: a
// bright foreground is bold plus the base colour; 16: the ANSI colours; 256:
// the indices nearest the VGA colours; TRUECOLOR: the VGA colours exactly.
// On 8 and 16 colours a pair that terminal palettes make unreadable is
// drawn with a stand-in foreground.
constexpr int MONOCHROME = 0;
constexpr int TRUECOLOR = 1 << 24;

// Added to an attribute: the cell is a hotkey (underlined in monochrome).
constexpr int HOTKEY_LOOK = 0x100;

struct SgrMode {
  int colours = 16;
  bool blink_brightens = false;  // blink shows only as a brighter basic background
  bool underline = false;        // monochrome: hotkeys may be underlined
  bool dim = false;              // monochrome: shadows may be dimmed
  SgrMode(int depth = 16) noexcept : colours(depth) {}  // implicit: a depth alone is a mode
};

// The shortest SGR sequence that takes the terminal from look from (-1:
// unknown) to look to (an attribute, plus HOTKEY_LOOK for a hotkey); empty
// when nothing changes on screen.
std::string sgr_change(int from, int to, const SgrMode& mode) noexcept;

// The foreground (0-15) that stands in for fg on bg on 8 and 16 colours:
// fg itself unless the pair is in the stand-in table.
int stand_in_foreground(int fg, int bg) noexcept;
