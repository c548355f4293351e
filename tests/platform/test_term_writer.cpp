// Grids in, bytes out. The bytes are played into a model terminal and the
// screen it shows is compared with the grid, text and attributes apart; the
// cost of typical updates is checked in bytes.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "platform/cp437.h"
#include "platform/term_writer.h"
#include "platform/term_writer_sgr.h"
#include "vt_model.h"

namespace {

Grid blank(uint8_t attr = 0x07) {
  Grid g;
  for (auto& row : g.cells)
    for (auto& cell : row) cell = Cell{' ', attr};
  return g;
}

// Writes bytes from (x, y) on, like cputs; the cursor ends after the text.
void put(Grid& g, int x, int y, const std::string& text, uint8_t attr) {
  for (unsigned char c : text) {
    g.cells[y - 1][x - 1] = Cell{c, attr};
    if (++x > SCREEN_COLS) {
      x = 1;
      ++y;
    }
  }
  g.cursor_x = x;
  g.cursor_y = y;
}

// What a cell should look like on a terminal without UTF-8.
char32_t without_utf8(uint8_t ch) {
  if (const char c = cp437_line_drawing(ch)) return dec_graphic(c);
  if (ch == 0) return U' ';
  return ch >= 0x20 && ch < 0x7F ? ch : U'?';
}

std::string utf8(const std::u32string& text) {
  std::string s;
  for (char32_t c : text) append_utf8(s, c);
  return s;
}

// Compares what the model shows with the grid: each row's text, each row's
// attributes, the cursor, and that nothing unexpected was sent.
void expect_shows(const VtModel& vt, const Grid& g, const WriterOptions& o) {
  for (int y = 1; y <= SCREEN_ROWS; ++y) {
    std::u32string want_text, got_text;
    std::string want_attr, got_attr;
    for (int x = 1; x <= SCREEN_COLS; ++x) {
      const Cell& cell = g.cells[y - 1][x - 1];
      const VtCell& shown = vt.at(x + o.origin_x, y + o.origin_y);
      want_text += o.utf8 ? cp437_to_unicode(cell.ch) : without_utf8(cell.ch);
      got_text += shown.ch;
      want_attr += std::to_string(cell.attr) + " ";
      got_attr += std::to_string(shown.attr) + " ";
    }
    EXPECT_EQ(utf8(got_text), utf8(want_text)) << "text of row " << y;
    EXPECT_EQ(got_attr, want_attr) << "attributes of row " << y;
  }
  EXPECT_EQ(vt.cursor_column(), std::clamp(g.cursor_x, 1, SCREEN_COLS) + o.origin_x);
  EXPECT_EQ(vt.cursor_row(), std::clamp(g.cursor_y, 1, SCREEN_ROWS) + o.origin_y);
  EXPECT_TRUE(vt.errors().empty()) << "first: " << vt.errors().front();
}

struct Scene {
  const char* name;
  WriterOptions options;
  int columns, rows;  // the terminal
  std::vector<std::function<void(Grid&)>> steps;
};

void fill_every_byte(Grid& g) {
  for (int y = 1; y <= SCREEN_ROWS; ++y)
    for (int x = 1; x <= SCREEN_COLS; ++x)
      g.cells[y - 1][x - 1] = Cell{static_cast<uint8_t>(x + y * 80), static_cast<uint8_t>(x * 7 + y * 13)};
  g.cursor_x = 40;
  g.cursor_y = 12;
}

void change_scattered(Grid& g) {
  for (int i = 0; i < SCREEN_ROWS * SCREEN_COLS; i += 7) {
    Cell& c = g.cells[i / SCREEN_COLS][i % SCREEN_COLS];
    c.ch = static_cast<uint8_t>(c.ch ^ 0x55);
    if (i % 3 == 0) c.attr = static_cast<uint8_t>(c.attr + 0x11);
  }
  g.cursor_x = 1;
  g.cursor_y = 1;
}

void frame(Grid& g) {
  put(g, 10, 5, "\xC9\xCD\xCD\xCD\xCD\xBB", 0x1F);
  put(g, 10, 6, "\xBA \x82t\xE9 \xBA", 0x1E);
  put(g, 10, 7, "\xC8\xCD\xCD\xCD\xCD\xBC", 0x1F);
  put(g, 20, 6, "\xB0\xB1\xB2\xDB \xC4\xB3\xDA\xBF\xC0\xD9", 0x70);
  put(g, 1, 25, "status \x01\x7F\x00", 0x8E);  // blinking bright yellow
}

void last_cell(Grid& g) {
  put(g, 75, 25, "123456", 0x4F);  // the cursor ends below the screen
}

// The bottom-right cell written with the cursor left on it, twice: a
// terminal with deferred wrap must not get a character in its wrap state.
void corner(Grid& g) {
  g.cells[SCREEN_ROWS - 1][SCREEN_COLS - 1] = Cell{static_cast<uint8_t>(g.cells[24][79].ch + 1), 0x2F};
  g.cursor_x = SCREEN_COLS;
  g.cursor_y = SCREEN_ROWS;
}

void bright_and_blink_off(Grid& g) {
  put(g, 1, 1, "plain again", 0x07);
  put(g, 1, 25, "status", 0x0E);
}

void random_edits(Grid& g, unsigned seed) {
  std::mt19937 rng(seed);
  for (int n = 0; n < 12; ++n) {
    const int x = 1 + static_cast<int>(rng() % 80), y = 1 + static_cast<int>(rng() % 25);
    std::string text(1 + rng() % 14, ' ');
    for (char& c : text) c = static_cast<char>(rng() % 3 ? 'a' + rng() % 26 : rng() % 256);
    put(g, x, y, text, static_cast<uint8_t>(rng() % 4 ? 0x1E : rng() % 256));
  }
  g.cursor_x = 1 + static_cast<int>(rng() % 80);
  g.cursor_y = 1 + static_cast<int>(rng() % 26);
}

std::vector<std::function<void(Grid&)>> random_steps(int count) {
  std::vector<std::function<void(Grid&)>> steps;
  for (int i = 0; i < count; ++i) steps.push_back([i](Grid& g) { random_edits(g, 1000u + i); });
  return steps;
}

TEST(TermWriter, TerminalShowsTheGridAfterEveryFlush) {
  const WriterOptions utf8{}, eight{0, 0, 8, true}, plain{0, 0, 16, false}, centred{10, 2, 16, true};
  const Scene scenes[] = {
      {"every byte and attribute", utf8, 80, 25, {fill_every_byte, change_scattered}},
      {"frame, blink, last cell", utf8, 80, 25, {frame, last_cell, corner, corner, bright_and_blink_off}},
      {"eight colours", eight, 80, 25, {fill_every_byte, frame, bright_and_blink_off}},
      {"line-drawing set", plain, 80, 25, {frame, fill_every_byte, change_scattered}},
      {"centred in 100x30", centred, 100, 30, {frame, last_cell, change_scattered}},
      {"random edits", utf8, 80, 25, random_steps(30)},
      {"random edits without UTF-8", plain, 80, 25, random_steps(30)},
  };
  for (const Scene& scene : scenes) {
    SCOPED_TRACE(scene.name);
    TermWriter writer(scene.options);
    VtModel vt(scene.columns, scene.rows, scene.options.utf8, scene.options.colours);
    Grid g = blank();
    vt.apply(writer.flush(g));
    expect_shows(vt, g, scene.options);
    for (size_t i = 0; i < scene.steps.size(); ++i) {
      SCOPED_TRACE("step " + std::to_string(i + 1));
      scene.steps[i](g);
      vt.apply(writer.flush(g));
      expect_shows(vt, g, scene.options);
      if (HasFailure()) return;
    }
    // outside a centred screen the terminal stays blank
    if (scene.options.origin_x > 0 && scene.options.origin_y > 0) {
      for (int x = 1; x <= scene.columns; ++x) EXPECT_EQ(vt.at(x, 1).ch, U' ') << x;
      for (int y = 1; y <= scene.rows; ++y) EXPECT_EQ(vt.at(scene.columns, y).ch, U' ') << y;
    }
  }
}

TEST(TermWriter, RepaintsEverythingOnlyAfterInvalidate) {
  TermWriter writer;
  Grid g = blank();
  frame(g);
  const std::string first = writer.flush(g);
  EXPECT_EQ(first.rfind("\x1b[0m\x1b[H\x1b[2J", 0), 0u);
  EXPECT_EQ(writer.flush(g), "");
  writer.invalidate();
  VtModel vt(80, 25);
  vt.apply("\x1b[31;42mgarbage everywhere");
  const std::string again = writer.flush(g);
  EXPECT_EQ(again, first);
  vt.apply(again);
  expect_shows(vt, g, {});
}

// before is drawn and flushed over a blank screen, as a dialog draws its
// field; after is the update whose cost counts.
struct Update {
  const char* name;
  std::function<void(Grid&)> before, after;
  std::string expected;  // exact bytes, or empty to check max_bytes only
  size_t max_bytes;
};

TEST(TermWriter, UpdatesCostOnlyWhatChanged) {
  const auto field = [](Grid& g) {
    put(g, 10, 5, "     ", 0x1E);
    put(g, 10, 5, "", 0x1E);
  };
  const auto menu = [](uint8_t first, uint8_t second) {
    return [=](Grid& g) {
      put(g, 3, 2, " Headings   ", first);
      put(g, 17, 2, " Printers   ", second);
      g.cursor_x = 1;
      g.cursor_y = 1;
    };
  };
  const Update updates[] = {
      {"nothing changed", field, field, "", 0},
      {"one character typed", field, [&](Grid& g) { field(g); put(g, 10, 5, "x", 0x1E); }, "x", 1},
      {"the cursor moved", field, [&](Grid& g) { field(g); g.cursor_x = 12; }, "  ", 2},
      {"two cells one apart: rewrite the one between",
       field, [&](Grid& g) { field(g); put(g, 10, 5, "a b", 0x1E); }, "a b", 3},
      {"attribute changed", field,
       [&](Grid& g) { field(g); put(g, 10, 5, " ", 0x9E); g.cursor_x = 10; }, "\x1b[5m \b", 6},
      {"highlight moves over two 12-cell menu items", menu(0x1F, 0x70), menu(0x70, 0x1F), "", 110},
  };
  for (const Update& u : updates) {
    SCOPED_TRACE(u.name);
    TermWriter writer;
    VtModel vt(80, 25);
    Grid g = blank();
    vt.apply(writer.flush(g));
    u.before(g);
    vt.apply(writer.flush(g));
    u.after(g);
    const std::string bytes = writer.flush(g);
    if (!u.expected.empty() || u.max_bytes == 0) {
      EXPECT_EQ(bytes, u.expected);
    }
    EXPECT_LE(bytes.size(), u.max_bytes);
    vt.apply(bytes);
    expect_shows(vt, g, {});
  }
}

TEST(TermWriter, LineDrawingSetWithoutUtf8) {
  WriterOptions o;
  o.utf8 = false;
  TermWriter writer(o);
  Grid g = blank();
  writer.flush(g);
  put(g, 1, 1, "\xC9\xCD\xCD\xBB", 0x07);
  EXPECT_EQ(writer.flush(g), "\x1b(0lqqk\x1b(B");
  put(g, 1, 1, "\xB0\xB1\xB2\xDB", 0x07);
  EXPECT_EQ(writer.flush(g), "\r\x1b(0aaaa\x1b(B");
  put(g, 1, 1, "\x82\x01 \xFF", 0x07);
  EXPECT_EQ(writer.flush(g), "\r?? ?");  // nbsp has no stand-in either
}

TEST(TermWriter, SgrIsMinimalAndInAnsiOrder) {
  struct Case {
    int from;
    uint8_t to;
    int colours;
    const char* expected;
  };
  const Case cases[] = {
      {-1, 0x07, 16, "\x1b[0;37;40m"},  {-1, 0x1E, 16, "\x1b[0;93;44m"},
      {0x07, 0x07, 16, ""},             {0x07, 0x17, 16, "\x1b[44m"},
      {0x07, 0x47, 16, "\x1b[41m"},     {0x07, 0x67, 16, "\x1b[43m"},
      {0x07, 0x37, 16, "\x1b[46m"},     {0x07, 0x01, 16, "\x1b[34m"},
      {0x07, 0x0C, 16, "\x1b[91m"},     {0x07, 0x87, 16, "\x1b[5m"},
      {0x87, 0x07, 16, "\x1b[25m"},     {0x07, 0x0F, 8, "\x1b[1m"},
      {0x0F, 0x07, 8, "\x1b[22m"},      {0x0E, 0x07, 8, "\x1b[22;37m"},
      {-1, 0x9E, 8, "\x1b[0;1;5;33;44m"}, {0x9F, 0x20, 8, "\x1b[0;30;42m"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(sgr_change(c.from, c.to, c.colours), c.expected)
        << "from " << c.from << " to " << int(c.to) << " with " << c.colours << " colours";
}

}  // namespace
