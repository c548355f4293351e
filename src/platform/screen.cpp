// The grid and its conio API. The screen never scrolls: writing past the
// last cell writes nothing. Nothing here talks to a terminal; the back end
// is handed the whole grid when the program is about to wait.
#include "platform/screen.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend.h"
#include "platform/keys.h"

namespace {

Grid grid;
int attribute = 7;
bool hotkey = false;  // what putch writes is a hotkey
ConsoleBackend* backend = nullptr;
int last_pasted = 0;  // the byte of the last pasted character getch passed on

bool inside(int x, int y) {
  return x >= 1 && x <= SCREEN_COLS && y >= 1 && y <= SCREEN_ROWS;
}

bool valid_rect(int left, int top, int right, int bottom) {
  return inside(left, top) && inside(right, bottom) && left <= right && top <= bottom;
}

ConsoleBackend& need_backend() {
  if (!backend) {
    std::fprintf(stderr, "console: no back end to read a key from\n");
    std::abort();
  }
  return *backend;
}

}  // namespace

void set_console_backend(ConsoleBackend* b) noexcept { backend = b; }
ConsoleBackend* console_backend() noexcept { return backend; }

void gotoxy(int x, int y) noexcept {
  if (!inside(x, y)) return;  // conio ignores a position off the screen
  grid.cursor_x = x;
  grid.cursor_y = y;
}

int wherex() noexcept { return grid.cursor_x; }
int wherey() noexcept { return grid.cursor_y; }
void textattr(int a) noexcept {
  attribute = a & 0xFF;
  hotkey = false;
}

void textattr_hotkey(int a) noexcept {
  textattr(a);
  hotkey = true;
}
int current_attr() noexcept { return attribute; }

void putch(int ch) noexcept {
  const uint8_t c = static_cast<uint8_t>(ch);
  if (c == 7) {
    if (backend) backend->bell();
    return;
  }
  if (c == 8) {
    if (grid.cursor_x > 1) --grid.cursor_x;
    return;
  }
  if (grid.cursor_y > SCREEN_ROWS) return;  // past the last cell
  grid.cells[grid.cursor_y - 1][grid.cursor_x - 1] = Cell{c, static_cast<uint8_t>(attribute), hotkey};
  if (++grid.cursor_x > SCREEN_COLS) {
    grid.cursor_x = 1;
    ++grid.cursor_y;  // may go one past the last row: the screen never scrolls
  }
}

void cputs(const char* text) noexcept {
  for (const char* p = text; *p; ++p) putch(static_cast<unsigned char>(*p));
}

int cprintf(const char* format, ...) noexcept {
  char buffer[512];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  // Every formatted byte is a cell, a zero byte from "%c" included.
  const int shown = n < 0 ? 0 : n < static_cast<int>(sizeof buffer) ? n : static_cast<int>(sizeof buffer) - 1;
  for (int i = 0; i < shown; ++i) putch(static_cast<unsigned char>(buffer[i]));
  return n;
}

void clrscr() noexcept {
  for (auto& row : grid.cells)
    for (auto& cell : row) cell = Cell{' ', static_cast<uint8_t>(attribute)};
  grid.cursor_x = grid.cursor_y = 1;
}

int gettext(int left, int top, int right, int bottom, void* dest) noexcept {
  if (!valid_rect(left, top, right, bottom)) return 0;
  auto* out = static_cast<uint8_t*>(dest);
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const Cell& c = grid.cells[y - 1][x - 1];
      *out++ = c.ch;
      *out++ = c.attr;
    }
  return 1;
}

int puttext(int left, int top, int right, int bottom, const void* source) noexcept {
  if (!valid_rect(left, top, right, bottom)) return 0;
  const auto* in = static_cast<const uint8_t*>(source);
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      // A cell put back as it is keeps its hotkey mark (the help overlay
      // saves and restores the whole screen).
      Cell& cell = grid.cells[y - 1][x - 1];
      if (cell.ch != in[0] || cell.attr != in[1]) cell = Cell{in[0], in[1]};
      in += 2;
    }
  return 1;
}

int getch() noexcept {
  ConsoleBackend& b = need_backend();
  b.present(grid);
  const int value = b.read_byte();
  if (value < QUEUED_PASTE) return value;
  last_pasted = value & 0xFF;
  return key::scan::PASTED;
}

bool wait_for_key(int ms) noexcept {
  ConsoleBackend& b = need_backend();
  b.present(grid);
  return b.key_ready(ms);
}

int pasted_char() noexcept { return last_pasted; }

void screen_flush() noexcept {
  if (backend) backend->present(grid);
}

int run_command(const char* command_line) noexcept {
  return need_backend().run_command(command_line);
}

void stdout_bell() noexcept {
  if (backend) backend->stdout_bell();
}

const Grid& screen_grid() noexcept { return grid; }

void screen_reset() noexcept {
  grid = Grid{};
  for (auto& row : grid.cells)
    for (auto& cell : row) cell = Cell{' ', 7};
  attribute = 7;
  hotkey = false;
  last_pasted = 0;
}
