// The menu bar on row 2: twelve items from catalogue lines 1-12 in two pages
// of six. The first character of an item's text is its hotkey. The current
// item is process-wide: the bar reopens on it, and dialogs take its text as
// their title.
#pragma once

namespace menu {
constexpr int ITEMS = 12;
constexpr int PAGE_SIZE = 6;
constexpr int EXIT = 0;  // menu_bar's result when the operator leaves
enum class ItemState { normal, cursor, selected };
}  // namespace menu

int menu_item() noexcept;
int menu_page_first() noexcept;
// Back to item 1, page 1 (start-up, tests).
void reset_menu_bar() noexcept;

void draw_menu_item(menu::ItemState state) noexcept;
void draw_menu_page() noexcept;
// The chosen item 1..12, or menu::EXIT.
int menu_bar() noexcept;
