// Menu-bar item 11: the colour submenu, the two palette presets, and the
// slot list of one palette group, from which a slot goes to the colour
// chooser. The four groups of sixteen attribute bytes are stored for the
// accounting package; this program draws with some of them itself.
#pragma once
#include <cstdint>
#include <string>

constexpr int PALETTE_GROUPS = 4;
constexpr int PALETTE_SLOTS = 16;
// The colour preset's entry without its hotkey mark: it labels the slot rows
// and the preview.
std::string colour_preset_label();
// Group g's entry as the titles of its list and preview show it.
std::string group_title(int g);
// The blinking bit of an attribute marks the cursor of the list and the grid.
constexpr int BLINK = 0x80;

void edit_palettes();
// All sixty-four slots and the palette kind, then the record is written.
void preset_monochrome();
void preset_colour();
// The slot list of group g (0..3; any other group is refused with the bell).
void edit_palette_group(int g);

uint8_t palette_slot(int g, int s) noexcept;
void set_palette_slot(int g, int s, uint8_t value) noexcept;
// Reprints slot s's row of the list in attribute a.
void print_slot_row(int g, int s, int a);

// The remembered submenu entry and list cursors go back to the first (tests).
void reset_palettes();
int palette_list_cursor(int g);
// The submenu entry chosen last (tests); entries 0 and 1 are the presets.
int palette_menu_entry() noexcept;
