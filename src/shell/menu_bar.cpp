#include "shell/menu_bar.h"

#include "console/keyboard.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "platform/screen.h"

namespace {

constexpr int MENU_ROW = 2;
constexpr int PLACE_WIDTH = 13;  // 12 columns and a blank
constexpr int FIRST_COLUMN = 3;
constexpr int SECOND_PAGE_FIRST = 7;

int current_item = 1;
int page_first = 1;

struct StateSlots {
  int text, hotkey;
};

StateSlots slots_of(menu::ItemState state) {
  switch (state) {
    case menu::ItemState::cursor: return {slot::MENU_CURSOR, slot::MENU_CURSOR_HOTKEY};
    case menu::ItemState::selected: return {slot::MENU_SELECTED, slot::MENU_SELECTED_HOTKEY};
    case menu::ItemState::normal: break;
  }
  return {slot::MENU_NORMAL, slot::MENU_HOTKEY};
}

int place_column() { return (current_item - page_first) * PLACE_WIDTH + FIRST_COLUMN; }
bool on_second_page(int item) { return item > menu::PAGE_SIZE; }

// What the bar does after a key: redraw the page, only move the cursor,
// nothing at all (a pasted character, of which a paste may bring a million),
// or return a choice.
enum class Next { redraw_page, move_cursor, stay, choose };

void select_and_redraw(int item) {
  current_item = item;
  draw_menu_page();
}

Next on_hotkey(int code) {
  draw_menu_item(menu::ItemState::normal);
  const int wanted = code & 0xDF;
  for (int n = 1; n <= menu::ITEMS; ++n) {
    if (static_cast<unsigned char>(catalogue_line(n)[0]) != wanted) continue;
    const bool other_page = on_second_page(n) != (page_first == SECOND_PAGE_FIRST);
    current_item = n;
    if (other_page) draw_menu_page();
    return Next::choose;
  }
  putch(7);
  return Next::move_cursor;
}

Next on_left() {
  draw_menu_item(menu::ItemState::normal);
  if (--current_item < 1) current_item = menu::ITEMS;
  return current_item == menu::ITEMS || current_item == menu::PAGE_SIZE ? Next::redraw_page : Next::move_cursor;
}

Next on_right() {
  draw_menu_item(menu::ItemState::normal);
  if (++current_item > menu::ITEMS) current_item = 1;
  return current_item == 1 || current_item == SECOND_PAGE_FIRST ? Next::redraw_page : Next::move_cursor;
}

Next on_extended(int k) {
  switch (k) {
    case key::UP:
    case key::DOWN:
      current_item += on_second_page(current_item) ? -menu::PAGE_SIZE : menu::PAGE_SIZE;
      return Next::redraw_page;
    case key::LEFT: return on_left();
    case key::RIGHT: return on_right();
    case key::PASTED: return Next::stay;
    default: return Next::redraw_page;  // any other extended key, Del and the help key
  }
}

}  // namespace

int menu_item() noexcept { return current_item; }
int menu_page_first() noexcept { return page_first; }

void reset_menu_bar() noexcept {
  current_item = 1;
  page_first = 1;
}

void draw_menu_item(menu::ItemState state) noexcept {
  const StateSlots s = slots_of(state);
  const char* text = catalogue_line(current_item);
  gotoxy(place_column(), MENU_ROW);
  textattr(palette_attr(s.text));
  cprintf("%-12s", text);
  gotoxy(place_column(), MENU_ROW);
  textattr_hotkey(palette_attr(s.hotkey));
  cprintf("%c", text[0]);
  if (state == menu::ItemState::normal) return;
  gotoxy(place_column(), MENU_ROW);
  textattr(palette_attr(slot::MENU_RESTORE));
}

void draw_menu_page() noexcept {
  const int remembered = current_item;
  page_first = on_second_page(current_item) ? SECOND_PAGE_FIRST : 1;
  for (int n = page_first + menu::PAGE_SIZE - 1; n >= page_first; --n) {
    current_item = n;
    draw_menu_item(menu::ItemState::normal);
  }
  current_item = remembered;
}

int menu_bar() noexcept {
  Next next = Next::redraw_page;
  for (;;) {
    if (next == Next::redraw_page) draw_menu_page();
    if (next != Next::stay) draw_menu_item(menu::ItemState::cursor);
    const int c = getch();
    const int code = c & 0xFF;  // 128-255 arrive as negative bytes
    if (c == 0) {
      next = on_extended(read_key_ext());
    } else if (code == key::ENTER || code == key::LINE_FEED) {
      next = Next::choose;
    } else if (code >= 'A') {
      next = on_hotkey(code);
    } else if (code >= '1' && code <= '9') {
      draw_menu_item(menu::ItemState::normal);
      select_and_redraw(code - '0');
      next = Next::choose;
    } else if (code == '0') {
      textattr(palette_attr(slot::BACKGROUND));
      return menu::EXIT;
    } else if (code == key::CTRL_C) {
      putch(7);
      return menu::EXIT;
    } else {
      putch(7);
      next = Next::move_cursor;
    }
    if (next == Next::choose) {
      draw_menu_item(menu::ItemState::selected);
      return current_item;
    }
  }
}
