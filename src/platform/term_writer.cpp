// Cells are visited row by row, left to right, and only those that differ
// from what the terminal shows are written. The terminal's cursor, attribute
// and character set are tracked so that moves and attribute changes are sent
// only where needed. Coordinates are the grid's (1-based); the origin is
// added when a move is written.
#include "platform/term_writer.h"

#include <algorithm>

#include "platform/cp437.h"
#include "platform/term_writer_motion.h"

namespace {

constexpr const char* RESET_AND_CLEAR = "\x1b[0m\x1b[H\x1b[2J";
constexpr const char* SELECT_LINE_DRAWING = "\x1b(0";
constexpr const char* SELECT_ASCII = "\x1b(B";

int look_of(const Cell& cell) { return cell.attr | (cell.hotkey ? HOTKEY_LOOK : 0); }

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
  move_to(out, x, y, grid);
  shown_ = grid;
  valid_ = true;
  return out;
}

void TermWriter::write_cell(std::string& out, int x, const Cell& cell) noexcept {
  set_look(out, look_of(cell));
  put_glyph(out, cell.ch);
  if (x < SCREEN_COLS) {
    cursor_x_ = x + 1;
  } else {  // after the last column the cursor's place depends on the terminal
    cursor_x_ = cursor_y_ = 0;
  }
}

void TermWriter::move_to(std::string& out, int x, int y, const Grid& grid) noexcept {
  if (cursor_x_ == x && cursor_y_ == y) return;
  Motion motion{{cursor_x_, cursor_y_}, {x, y}, options_.origin_x, options_.origin_y, {}};
  motion.rewrite = rewrite_run(x, y, grid);
  out += cheapest_motion(motion);
  cursor_x_ = x;
  cursor_y_ = y;
}

// The cells left of (x, y) already show the grid (cells are written in
// reading order, and the final cursor move comes after all of them), so
// those in the current attribute and character set may be sent again
// instead of a move over them.
std::vector<std::string> TermWriter::rewrite_run(int x, int y, const Grid& grid) noexcept {
  std::vector<std::string> run;
  if (attr_ < 0) return run;
  const bool line_drawing = line_drawing_;
  size_t bytes = 0;
  for (int gx = x - 1; gx >= 1 && bytes <= MOST_REWRITE_BYTES; --gx) {
    const Cell& cell = grid.cells[y - 1][gx - 1];
    if (!sgr_change(attr_, look_of(cell), sgr_mode()).empty()) break;
    std::string glyph;
    put_glyph(glyph, cell.ch);
    const bool switched = line_drawing_ != line_drawing;
    line_drawing_ = line_drawing;
    if (switched) break;
    bytes += glyph.size();
    run.insert(run.begin(), std::move(glyph));
  }
  return run;
}

void TermWriter::set_look(std::string& out, int look) noexcept {
  out += sgr_change(attr_, look, sgr_mode());
  attr_ = look;
}

SgrMode TermWriter::sgr_mode() const noexcept {
  SgrMode mode(options_.colours);
  mode.blink_brightens = options_.blink_brightens;
  mode.underline = options_.underline;
  mode.dim = options_.dim;
  return mode;
}

void TermWriter::put_glyph(std::string& out, uint8_t ch) noexcept {
  if (options_.utf8) {
    append_utf8(out, cp437_to_unicode(ch));
    return;
  }
  const char symbol = cp437_line_drawing(ch);
  if (symbol && options_.utf8_lines) {
    if (line_drawing_) out += SELECT_ASCII;
    line_drawing_ = false;
    append_utf8(out, cp437_to_unicode(ch));
    return;
  }
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
