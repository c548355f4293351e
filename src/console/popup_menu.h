// A vertical pop-up menu in a framed box: items[0] is the title, the rest are
// entries. "&" marks the next character as the entry's hotkey (shown in
// white on the row's background); an entry starting with "~" is a separator
// line the bar skips. The menu does not restore what was under it.
#pragma once
#include <string>
#include <vector>

constexpr int POPUP_CANCELLED = -1;

// The chosen entry (1..count-1) by Enter or hotkey, or POPUP_CANCELLED for
// Esc, Left or Right.
int popup_menu(int type, int x, int y, int attr, const std::vector<std::string>& items, int initial) noexcept;
// Writes label at the cursor, the marked character in the hotkey attribute
// derived from a; returns the upper-case hotkey or 0.
int print_hotkey_label(const std::string& label, int a) noexcept;

// The attributes derived from the caller's attribute.
inline int popup_normal_attr(int attr) { return attr & 0x7F; }
inline int popup_highlight_attr(int attr) { return ~attr & 0x7F; }
inline int popup_hotkey_attr(int row_attr) { return (row_attr | 0x0F) & 0x7F; }

// Consecutive catalogue lines first..first+count-1, as popup_menu takes them.
std::vector<std::string> catalogue_lines(int first, int count);
