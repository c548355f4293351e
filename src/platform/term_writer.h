// Turns the grid into the bytes that make a terminal show it. Pure: grid in,
// bytes out. It remembers what the terminal shows (cells, attribute, cursor)
// so that each flush sends only what changed: typing one character into a
// positioned field of the same colour costs one byte.
#pragma once
#include <string>
#include <vector>

#include "platform/screen.h"
#include "platform/term_charset.h"
#include "platform/term_writer_sgr.h"

struct WriterOptions {
  int origin_x = 0;   // terminal columns left of the 80x25 screen
  int origin_y = 0;   // terminal rows above it
  int colours = 16;   // see term_writer_sgr.h: MONOCHROME, 8, 16, 256, TRUECOLOR
  bool utf8 = true;   // false: line-drawing set for boxes and shades, '?' for the rest
  std::string acsc;   // terminfo's acsc for the line-drawing set; empty: DEC's
  bool utf8_lines = false;       // without utf8: boxes and shades still as UTF-8
  bool blink_brightens = false;  // see SgrMode
  bool underline = false;
  bool dim = false;
  bool operator==(const WriterOptions&) const = default;
};

class TermWriter {
 public:
  explicit TermWriter(const WriterOptions& options = {}) noexcept;
  // New options (a resize moves the origin); the next flush repaints.
  void set_options(const WriterOptions& options) noexcept;
  const WriterOptions& options() const noexcept { return options_; }
  // Forget what the terminal shows: the next flush clears and repaints all.
  void invalidate() noexcept;
  // The bytes that turn what the terminal shows into grid, cursor included.
  std::string flush(const Grid& grid) noexcept;

 private:
  void write_cell(std::string& out, int x, const Cell& cell) noexcept;
  void move_to(std::string& out, int x, int y, const Grid& grid) noexcept;
  std::vector<std::string> rewrite_run(int x, int y, const Grid& grid) noexcept;
  void set_look(std::string& out, int look) noexcept;
  SgrMode sgr_mode() const noexcept;
  void put_glyph(std::string& out, uint8_t ch) noexcept;

  WriterOptions options_;
  LineDrawingSet charset_;
  Grid shown_;             // what the terminal shows, when valid_
  bool valid_ = false;
  int attr_ = -1;          // the terminal's look (see sgr_change); -1 unknown
  int cursor_x_ = 0;       // the terminal's cursor in screen cells; 0 unknown
  int cursor_y_ = 0;
  bool line_drawing_ = false;  // the line-drawing set is selected (no UTF-8 only)
};
