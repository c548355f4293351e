// Group g, slot s is record byte 960 + 16g + s (palette slot attr[74 + 16g + s]).
// The submenu's entry and each group's list cursor are remembered for the run
// only, never stored in the record. Entry 3 of the submenu is meant to be a
// separator; should a catalogue make it an item, it only rings the bell.
#include "dialogs/palettes.h"

#include <string>

#include "console/frames.h"
#include "console/keyboard.h"
#include "console/record_save.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "dialogs/colour_chooser.h"
#include "dialogs/submenu.h"
#include "platform/keys.h"
#include "platform/screen.h"

namespace {

constexpr int SUBMENU_LINE = 78;
constexpr int ROW_LABEL_LENGTH = 8;
constexpr int LIST_LEFT = 26, LIST_TOP = 6, LIST_RIGHT = 46, LIST_BOTTOM = 23;
constexpr int ROW_COLUMN = 28, FIRST_ROW = 7;
constexpr uint8_t KIND_MONOCHROME = 1, KIND_COLOUR = 2;
constexpr uint8_t WHITE_ON_BLACK = 0x0F;

// high digit background, low digit foreground
constexpr uint8_t COLOUR_PRESET[PALETTE_GROUPS][PALETTE_SLOTS] = {
    {0x02, 0x30, 0x60, 0x3F, 0x72, 0x7A, 0x7F, 0x4E, 0x4F, 0x0E, 0x71, 0x1F, 0x70, 0x2F, 0x74, 0x0F},
    {0x02, 0x4F, 0x1F, 0x4E, 0x2E, 0x43, 0x35, 0x40, 0x3F, 0x72, 0x62, 0x61, 0x63, 0x6E, 0x6F, 0x5F},
    {0x02, 0x04, 0x1F, 0x0E, 0x61, 0x0F, 0x0F, 0x41, 0x51, 0x31, 0x71, 0x5E, 0x3E, 0x34, 0x50, 0x74},
    {0x02, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F},
};

int colour_menu_last = 0;
int list_cursor[PALETTE_GROUPS] = {};

bool valid_group(int g) { return g >= 0 && g < PALETTE_GROUPS; }
int wrap_slot(int s) { return (s % PALETTE_SLOTS + PALETTE_SLOTS) % PALETTE_SLOTS; }

void apply_preset(uint8_t kind, auto value_of) {
  for (int g = 0; g < PALETTE_GROUPS; ++g)
    for (int s = 0; s < PALETTE_SLOTS; ++s) set_palette_slot(g, s, value_of(g, s));
  set_byte(setup_record(), field::palette_kind, 0, kind);
  save_record(kind == KIND_COLOUR ? "colour preset" : "monochrome preset");
}

void draw_slot_list(int g) {
  draw_frame(frame::SHADOWED, LIST_LEFT, LIST_TOP, LIST_RIGHT, LIST_BOTTOM, palette_attr(slot::DIALOG),
             catalogue_line(FIRST_GROUP_LINE + g));
  for (int s = 0; s < PALETTE_SLOTS; ++s) print_slot_row(g, s, palette_slot(g, s));
}

// Moves the cursor on Up/Down; returns the key that ends the list (Enter,
// Esc) or 0 to read on.
int list_step(int g, int key_code) {
  int& c = list_cursor[g];
  if (key_code == key::UP) c = wrap_slot(c - 1);
  if (key_code == key::DOWN) c = wrap_slot(c + 1);
  return key_code == key::ENTER || key_code == key::ESC ? key_code : 0;
}

// A catalogue that makes entry 3 an ordinary item leads nowhere.
void no_group() { putch(7); }

}  // namespace

uint8_t palette_slot(int g, int s) noexcept { return get_byte(setup_record(), field::palette, 16 * g + s); }

void set_palette_slot(int g, int s, uint8_t value) noexcept {
  set_byte(setup_record(), field::palette, 16 * g + s, value);
}

void print_slot_row(int g, int s, int a) {
  textattr(a);
  gotoxy(ROW_COLUMN, FIRST_ROW + s);
  cprintf(" %s(%d,%d) ", copy_prefix(catalogue_line(COLOUR_PRESET_LINE), ROW_LABEL_LENGTH).c_str(), g, s);
}

int palette_menu_entry() noexcept { return colour_menu_last; }

void edit_palettes() {
  run_submenu(SUBMENU_LINE, colour_menu_last,
              {preset_monochrome, preset_colour, no_group, [] { edit_palette_group(0); },
               [] { edit_palette_group(1); }, [] { edit_palette_group(2); }, [] { edit_palette_group(3); }});
}

void preset_monochrome() {
  apply_preset(KIND_MONOCHROME, [](int, int) { return WHITE_ON_BLACK; });
}

void preset_colour() {
  apply_preset(KIND_COLOUR, [](int g, int s) { return COLOUR_PRESET[g][s]; });
}

void edit_palette_group(int g) {
  if (!valid_group(g)) {
    no_group();
    return;
  }
  draw_slot_list(g);
  for (;;) {
    const int c = list_cursor[g];
    print_slot_row(g, c, palette_slot(g, c) | BLINK);
    const int key_code = read_key();
    print_slot_row(g, c, palette_slot(g, c));
    const int ending = list_step(g, key_code);
    if (ending == key::ESC) return;
    if (ending == key::ENTER) {
      choose_colour(g, c);
      return;
    }
  }
}

void reset_palettes() {
  colour_menu_last = 0;
  for (int& c : list_cursor) c = 0;
}

int palette_list_cursor(int g) { return valid_group(g) ? list_cursor[g] : 0; }
