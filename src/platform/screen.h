// The console device: an in-memory 80x25 grid of cells with the classic
// conio-style API. Coordinates are 1-based, column first. Drawing only
// changes the grid; the grid reaches the terminal when the program waits
// (getch, wait_for_key), so a keystroke costs only the cells it changed.
#pragma once
#include <cstdint>

constexpr int SCREEN_COLS = 80;
constexpr int SCREEN_ROWS = 25;

// attribute: bits 0-3 foreground, bits 4-6 background, bit 7 blink. hotkey
// is no part of the attribute (gettext does not save it): it lets a
// terminal without colours mark the letter that chooses an entry.
struct Cell {
  uint8_t ch = ' ';
  uint8_t attr = 0;
  bool hotkey = false;
  bool operator==(const Cell&) const = default;
};

struct Grid {
  Cell cells[SCREEN_ROWS][SCREEN_COLS];
  int cursor_x = 1;  // 1-based
  int cursor_y = 1;
  bool operator==(const Grid&) const = default;
};

void gotoxy(int x, int y) noexcept;
int wherex() noexcept;
int wherey() noexcept;
void textattr(int attr) noexcept;
// textattr, and what is written until the next textattr is a hotkey.
void textattr_hotkey(int attr) noexcept;
int current_attr() noexcept;
// Writes ch at the cursor and advances; 7 rings the bell, 8 steps left.
void putch(int ch) noexcept;
void cputs(const char* text) noexcept;
int cprintf(const char* format, ...) noexcept __attribute__((format(printf, 1, 2)));
void clrscr() noexcept;
// Save / restore a rectangle, two bytes (character, attribute) per cell.
int gettext(int left, int top, int right, int bottom, void* dest) noexcept;
int puttext(int left, int top, int right, int bottom, const void* source) noexcept;
// One key as conio delivers it: a plain key is its code (128-255 as
// -128..-1); an extended key is 0, then its scan code on the next call.
int getch() noexcept;

// Flushes, then waits up to ms for a key; true when one is waiting. The key
// is not consumed.
bool wait_for_key(int ms) noexcept;
// Sends the grid (and a pending bell) now; for the last drawing before the
// program leaves.
void screen_flush() noexcept;
// Runs a command line through /bin/sh -c with the terminal handed back to
// it; the grid is repainted afterwards. Returns the exit status.
int run_command(const char* command_line) noexcept;
// A bell sent to standard output rather than through the grid.
void stdout_bell() noexcept;

// After getch returned 0 and then key::scan::PASTED: the character that was
// pasted. Only a field takes it; everything else ignores the unknown key.
int pasted_char() noexcept;

const Grid& screen_grid() noexcept;
// Back to a blank grid, attribute 7, cursor home; no pending key half, no
// pasted character.
void screen_reset() noexcept;
