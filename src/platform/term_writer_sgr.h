// Attribute bytes to SGR sequences. BIOS colour order (blue is bit 0, red
// bit 2) becomes ANSI order (red bit 0, blue bit 2) by swapping those bits.
#pragma once
#include <cstdint>
#include <string>

// The shortest SGR sequence that takes the terminal from attribute from
// (-1: unknown) to attribute to; empty when nothing changes on screen.
std::string sgr_change(int from, uint8_t to, int colours) noexcept;
