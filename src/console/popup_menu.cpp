#include "console/popup_menu.h"

#include <algorithm>

#include "console/frames.h"
#include "console/keyboard.h"
#include "data/catalogue.h"
#include "platform/screen.h"

namespace {

constexpr char HOTKEY_MARK = '&';

// Upper case of the ASCII letters only: code page 437 bytes are no letters of
// whatever 8-bit locale the terminal runs in.
int ascii_upper(int c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }
constexpr char SEPARATOR_MARK = '~';

struct Menu {
  int x, y, attr, count, widest;
  const std::vector<std::string>& items;
  const std::string& item(int i) const { return items[static_cast<size_t>(i)]; }
  bool separator(int i) const { return !item(i).empty() && item(i)[0] == SEPARATOR_MARK; }
  int length(int i) const { return static_cast<int>(item(i).size()); }
};

void draw_entry(const Menu& m, int k, bool highlighted) {
  if (k < 1 || k >= m.count) return;
  const int a = highlighted ? popup_highlight_attr(m.attr) : popup_normal_attr(m.attr);
  gotoxy(m.x + 1, m.y + k);
  textattr(a);
  putch(' ');
  print_hotkey_label(m.item(k), highlighted ? a : m.attr);
  put_spaces(m.widest + 2 - m.length(k));
}

std::vector<int> draw_menu(int type, const Menu& m) {
  draw_frame(type, m.x, m.y, m.x + m.widest + 4, m.y + m.count, m.attr, m.item(0));
  std::vector<int> hotkeys(static_cast<size_t>(m.count), 0);
  for (int i = 1; i < m.count; ++i) {
    if (m.separator(i)) {
      gotoxy(m.x + 1, m.y + i);
      repeat_char(m.widest + 3, box_char::HORIZONTAL);
    } else {
      gotoxy(m.x + 2, m.y + i);
      hotkeys[static_cast<size_t>(i)] = print_hotkey_label(m.item(i), m.attr);
    }
  }
  return hotkeys;
}

// Moves the bar after Up or Down, skipping one separator, wrapping around.
int settle(const Menu& m, int cur, int last) {
  if (last == key::UP) {
    draw_entry(m, cur + 1, false);
    if (cur >= 1 && m.separator(cur)) --cur;
    if (cur < 1) cur = m.count - 1;
  } else if (last == key::DOWN) {
    draw_entry(m, cur - 1, false);
    if (cur >= m.count) {
      cur = 1;
    } else if (m.separator(cur) && ++cur >= m.count) {
      cur = 1;
    }
  }
  return cur;
}

}  // namespace

int print_hotkey_label(const std::string& label, int a) noexcept {
  int hotkey = 0;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label[i] != HOTKEY_MARK || i + 1 >= label.size()) {
      putch(static_cast<unsigned char>(label[i]));
      continue;
    }
    const unsigned char marked = static_cast<unsigned char>(label[++i]);
    textattr_hotkey(popup_hotkey_attr(a));
    putch(marked);
    textattr(a & 0x7F);
    hotkey = ascii_upper(marked);
  }
  return hotkey;
}

int popup_menu(int type, int x, int y, int attr, const std::vector<std::string>& items, int initial) noexcept {
  int widest = 0;
  for (const auto& item : items) widest = std::max(widest, static_cast<int>(item.size()));
  const Menu m{x, y, attr, static_cast<int>(items.size()), widest, items};
  const std::vector<int> hotkeys = draw_menu(type, m);
  int cur = initial;
  int last = 0;
  for (;;) {
    cur = settle(m, cur, last);
    draw_entry(m, cur, true);
    gotoxy(x + 2, y + cur);
    int k = getch();
    if (k == 0) {
      k = read_key_ext();
      if (k == key::UP) --cur;
      if (k == key::DOWN) ++cur;
    } else if (k == key::SPACE) {
      ++cur;
      k = key::DOWN;
    } else {
      const int wanted = ascii_upper(k & 0xFF);
      const auto hit = std::find(hotkeys.begin() + 1, hotkeys.end(), wanted);
      if (hit != hotkeys.end() && wanted != 0) {
        draw_entry(m, cur, false);
        cur = static_cast<int>(hit - hotkeys.begin());
        draw_entry(m, cur, true);
        k = key::ENTER;
      } else if (k != key::ENTER && k != key::ESC) {
        putch(7);
      }
    }
    if (k == key::ENTER) return cur;
    if (k == key::ESC || k == key::LEFT || k == key::RIGHT) return POPUP_CANCELLED;
    last = k;
  }
}

std::vector<std::string> catalogue_lines(int first, int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.emplace_back(catalogue_line(first + i));
  return lines;
}
