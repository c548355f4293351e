// Cells are visited row by row, left to right, and only those that differ
// from what the terminal shows are written. The terminal's cursor, attribute
// and character set are tracked so that moves and attribute changes are sent
// only where needed. Coordinates are the grid's (1-based); the origin is
// added when a move is written.
#include "platform/term_writer.h"

#include <algorithm>

#include "platform/cp437.h"
#include "platform/term_writer_sgr.h"

namespace {

constexpr const char* RESET_AND_CLEAR = "\x1b[0m\x1b[H\x1b[2J";
constexpr const char* SELECT_LINE_DRAWING = "\x1b(0";
constexpr const char* SELECT_ASCII = "\x1b(B";

}  // namespace

TermWriter::TermWriter(const WriterOptions& options) noexcept
    : options_(options), charset_(line_drawing_set(options.acsc)) {}

void TermWriter::set_options(const WriterOptions& options) noexcept {
  options_ = options;
  charset_ = line_drawing_set(options.acsc);
  invalidate();
}

void TermWriter::invalidate() noexcept { valid_ = false; }

std::string TermWriter::flush(const Grid& grid) noexcept {
  std::string out;
  if (!valid_) {
    out += RESET_AND_CLEAR;
    attr_ = -1;
    cursor_x_ = cursor_y_ = 0;
    line_drawing_ = false;
  }
  for (int y = 1; y <= SCREEN_ROWS; ++y)
    for (int x = 1; x <= SCREEN_COLS; ++x) {
      const Cell& cell = grid.cells[y - 1][x - 1];
      if (valid_ && cell == shown_.cells[y - 1][x - 1]) continue;
      move_to(out, x, y, grid);
      write_cell(out, x, cell);
    }
  if (line_drawing_) {
    out += SELECT_ASCII;
    line_drawing_ = false;
  }
  // The grid's cursor may sit one row below the screen after the last cell
  // was written. The bottom-right cell is the last one visited, so when it
  // was written this move follows it at once and a terminal with deferred
  // wrap never gets the chance to scroll.
  const int x = std::clamp(grid.cursor_x, 1, SCREEN_COLS);
  const int y = std::clamp(grid.cursor_y, 1, SCREEN_ROWS);
  if (x != cursor_x_ || y != cursor_y_) {
    out += cursor_move(x, y);
    cursor_x_ = x;
    cursor_y_ = y;
  }
  shown_ = grid;
  valid_ = true;
  return out;
}

void TermWriter::write_cell(std::string& out, int x, const Cell& cell) noexcept {
  set_attr(out, cell.attr);
  put_glyph(out, cell.ch);
  if (x < SCREEN_COLS) {
    cursor_x_ = x + 1;
  } else {  // after the last column the cursor's place depends on the terminal
    cursor_x_ = cursor_y_ = 0;
  }
}

void TermWriter::move_to(std::string& out, int x, int y, const Grid& grid) noexcept {
  if (cursor_x_ == x && cursor_y_ == y) return;
  if (refill_gap(out, x, y, grid)) return;
  out += cursor_move(x, y);
  cursor_x_ = x;
  cursor_y_ = y;
}

// A short run of unchanged cells in the current attribute is cheaper to
// write again than to jump over.
bool TermWriter::refill_gap(std::string& out, int x, int y, const Grid& grid) noexcept {
  if (cursor_y_ != y || cursor_x_ < 1 || cursor_x_ >= x || attr_ < 0) return false;
  const size_t budget = cursor_move(x, y).size();
  const bool line_drawing = line_drawing_;
  std::string gap;
  for (int gx = cursor_x_; gx < x; ++gx) {
    const Cell& cell = grid.cells[y - 1][gx - 1];
    if (!sgr_change(attr_, cell.attr, options_.colours).empty()) break;
    put_glyph(gap, cell.ch);
    if (gap.size() > budget) break;
    if (gx + 1 == x) {
      out += gap;
      cursor_x_ = x;
      return true;
    }
  }
  line_drawing_ = line_drawing;
  return false;
}

void TermWriter::set_attr(std::string& out, uint8_t attr) noexcept {
  out += sgr_change(attr_, attr, options_.colours);
  attr_ = attr;
}

void TermWriter::put_glyph(std::string& out, uint8_t ch) noexcept {
  if (options_.utf8) {
    append_utf8(out, cp437_to_unicode(ch));
    return;
  }
  const char symbol = cp437_line_drawing(ch);
  if (const char draws = symbol ? charset_.draws[static_cast<int>(symbol)] : 0) {
    if (!line_drawing_) out += SELECT_LINE_DRAWING;
    line_drawing_ = true;
    out += draws;
    return;
  }
  char c = ch >= 0x20 && ch < 0x7F ? static_cast<char>(ch) : ch == 0 ? ' ' : '?';
  if (symbol) c = line_drawing_fallback(symbol);
  // A space in a frame needs no switch back; a letter the set replaces does.
  if (line_drawing_ && charset_.replaced[static_cast<int>(c)]) {
    out += SELECT_ASCII;
    line_drawing_ = false;
  }
  out += c;
}

std::string TermWriter::cursor_move(int x, int y) const noexcept {
  const int row = y + options_.origin_y;
  const int col = x + options_.origin_x;
  std::string s = "\x1b[";
  if (row != 1 || col != 1) s += std::to_string(row);
  if (col != 1) s += ';' + std::to_string(col);
  return s + 'H';
}
