// Backgrounds run across the grid as columns (0-7), foregrounds down as rows
// (0-15); every pair is a valid attribute 0x00-0x7F, so no key is refused.
// The slot holds the colour under the cursor at every moment, without the
// blink bit, which the list uses as its cursor; Esc leaves it so in memory.
// Enter on the stored colour itself stores the byte as read, blink bit
// included: a slot confirmed unchanged keeps its bytes.
#include "dialogs/colour_chooser.h"

#include <string>

#include "console/frames.h"
#include "console/keyboard.h"
#include "console/record_save.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "dialogs/palettes.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/header.h"

namespace {

constexpr int TITLE_LINE = 86;
constexpr int GRID_LEFT = 50, GRID_TOP = 6, GRID_RIGHT = 75, GRID_BOTTOM = 23;
constexpr int CELL_COLUMN = 51, CELL_WIDTH = 3, CELL_ROW = 7;
constexpr int PREVIEW_LEFT = 3, PREVIEW_TOP = 16, PREVIEW_RIGHT = 23, PREVIEW_BOTTOM = 21;
constexpr int PREVIEW_TEXT_COLUMN = 5, PREVIEW_TITLE_ROW = 18, PREVIEW_SAMPLE_ROW = 19;
// a longer catalogue text would run out of the preview box into the slot list
constexpr int PREVIEW_TEXT_WIDTH = PREVIEW_RIGHT - PREVIEW_TEXT_COLUMN;
constexpr int BACKGROUNDS = 8, FOREGROUNDS = 16;
// the control characters of Ctrl+Y and Ctrl+Backslash
constexpr int PREVIOUS_BACKGROUND = 25, NEXT_BACKGROUND = 28;
constexpr int GROUP_OF_HEADER = 0, GROUP_OF_MAIN_FRAME = 1;

struct GridCursor {
  int background, foreground;
  int attr() const { return 16 * background + foreground; }
};

int wrap(int v, int n) { return (v % n + n) % n; }

GridCursor cursor_at(uint8_t value) { return {(value >> 4) & 7, value & 15}; }

uint8_t confirmed_value(GridCursor at, uint8_t stored) {
  return at.attr() == (stored & 0x7F) ? stored : static_cast<uint8_t>(at.attr());
}

GridCursor moved(GridCursor at, int key_code) {
  if (key_code == key::UP) at.foreground = wrap(at.foreground - 1, FOREGROUNDS);
  if (key_code == key::DOWN) at.foreground = wrap(at.foreground + 1, FOREGROUNDS);
  if (key_code == PREVIOUS_BACKGROUND) at.background = wrap(at.background - 1, BACKGROUNDS);
  if (key_code == NEXT_BACKGROUND) at.background = wrap(at.background + 1, BACKGROUNDS);
  return at;
}

void print_cell(GridCursor at, const char* text, int a) {
  textattr(a);
  gotoxy(CELL_COLUMN + CELL_WIDTH * at.background, CELL_ROW + at.foreground);
  cputs(text);
}

void draw_grid() {
  draw_frame(frame::SHADOWED, GRID_LEFT, GRID_TOP, GRID_RIGHT, GRID_BOTTOM, palette_attr(slot::MENU_HOTKEY),
             catalogue_line(TITLE_LINE));
  for (int b = 0; b < BACKGROUNDS; ++b)
    for (int f = 0; f < FOREGROUNDS; ++f) print_cell({b, f}, " x ", GridCursor{b, f}.attr());
}

void print_preview_text(int y, int line) {
  gotoxy(PREVIEW_TEXT_COLUMN, y);
  cprintf("%s", copy_prefix(catalogue_line(line), PREVIEW_TEXT_WIDTH).c_str());
}

void draw_preview(int g, int a) {
  draw_frame(frame::SHADOWED, PREVIEW_LEFT, PREVIEW_TOP, PREVIEW_RIGHT, PREVIEW_BOTTOM, a,
             catalogue_line(FIRST_GROUP_LINE + g));
  textattr(a);
  print_preview_text(PREVIEW_TITLE_ROW, TITLE_LINE);
  print_preview_text(PREVIEW_SAMPLE_ROW, COLOUR_PRESET_LINE);
}

// The header box and the main frame are drawn with groups 0 and 1; the other
// groups are for the accounting package alone.
void save_chosen_colour(int g) {
  textattr(palette_attr(slot::STATUS_TEXT));
  if (g == GROUP_OF_HEADER) draw_header();
  if (g == GROUP_OF_HEADER || g == GROUP_OF_MAIN_FRAME) draw_main_frame();
  save_record("palette colour");
}

}  // namespace

void choose_colour(int g, int s) {
  draw_grid();
  const uint8_t stored = palette_slot(g, s);
  GridCursor at = cursor_at(stored);
  for (;;) {
    set_palette_slot(g, s, static_cast<uint8_t>(at.attr()));
    print_slot_row(g, s, at.attr());
    print_cell(at, "[x]", at.attr() | BLINK);
    draw_preview(g, at.attr());
    const int key_code = read_key();
    print_cell(at, " x ", at.attr());
    if (key_code == key::ENTER) {
      set_palette_slot(g, s, confirmed_value(at, stored));
      save_chosen_colour(g);
      return;
    }
    if (key_code == key::ESC) return;
    at = moved(at, key_code);
  }
}
