// The writer's cursor motion: the choice between BS, CR, relative and
// absolute moves and writing cells again, checked as exact bytes and by
// replaying them into the model terminal.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/cp437.h"
#include "platform/term_writer.h"
#include "platform/term_writer_motion.h"
#include "vt_model.h"

namespace {

TEST(CheapestMotion, PicksTheShortestBytes) {
  struct Case {
    const char* name;
    CursorPlace from, to;
    int origin_x, origin_y;
    std::vector<std::string> rewrite;
    const char* expected;
  };
  const std::vector<std::string> abcd = {"a", "b", "c", "d"}, lines = {"\u2500", "\u2500"};
  const Case cases[] = {
      {"place unknown", {0, 0}, {10, 5}, 0, 0, {}, "\x1b[5;10H"},
      {"four left: a tie keeps BS", {15, 5}, {11, 5}, 0, 0, {}, "\b\b\b\b"},
      {"five left", {15, 5}, {10, 5}, 0, 0, {}, "\x1b[5D"},
      {"near column 1", {60, 5}, {2, 5}, 0, 0, {}, "\r\x1b[C"},
      {"a tie keeps the direct move", {60, 5}, {3, 5}, 0, 0, {}, "\x1b[57D"},
      {"near column 1, cells to rewrite", {60, 5}, {3, 5}, 0, 0, {"|", " "}, "\r| "},
      {"one right, rewritable", {12, 5}, {13, 5}, 0, 0, abcd, "d"},
      {"four right, rewrite ties", {9, 5}, {13, 5}, 0, 0, abcd, "abcd"},
      {"rewrite run too short", {8, 5}, {13, 5}, 0, 0, abcd, "\x1b[5C"},
      {"wide glyphs cost more", {11, 5}, {13, 5}, 0, 0, lines, "\x1b[2C"},
      {"down and left", {11, 4}, {10, 5}, 0, 0, {}, "\x1b[B\b"},
      {"far: absolute", {70, 2}, {5, 20}, 0, 0, {}, "\x1b[20;5H"},
      {"a tie keeps the absolute move", {1, 3}, {1, 1}, 0, 0, {}, "\x1b[H"},
      {"centred: CR then a move", {70, 5}, {1, 5}, 1, 0, {}, "\r\x1b[C"},
  };
  for (const Case& c : cases) {
    const Motion motion{c.from, c.to, c.origin_x, c.origin_y, c.rewrite};
    EXPECT_EQ(cheapest_motion(motion), c.expected) << c.name;
  }
}

// A heading-like field: a frame side, the text in 0x1E, the fill in 0x17.
constexpr uint8_t TEXT = 0x1E, FILL = 0x17, FRAME = 0x1F;

Grid field_screen() {
  Grid g;
  for (auto& row : g.cells)
    for (auto& cell : row) cell = Cell{' ', 0x07};
  g.cells[4][1] = Cell{0xB3, FRAME};
  for (int x = 10; x <= 20; ++x) g.cells[4][x - 1] = Cell{'/', FILL};
  const std::string text = "hello";
  for (int i = 0; i < 5; ++i) g.cells[4][9 + i] = Cell{static_cast<uint8_t>(text[i]), TEXT};
  g.cursor_x = 15;
  g.cursor_y = 5;
  return g;
}

void set(Grid& g, int x, int y, char ch, uint8_t attr) {
  g.cells[y - 1][x - 1] = Cell{static_cast<uint8_t>(ch), attr};
}

std::string row_text(const VtModel& vt, int row, int from, int to, int origin_x) {
  std::string s;
  for (int x = from; x <= to; ++x) append_utf8(s, vt.at(x + origin_x, row).ch);
  return s;
}

// Each case starts from the field with its last letter just typed (so the
// terminal's attribute is the text's), applies before and flushes, then
// change: the bytes of that last flush count. The model must show the
// grid's attributes and cursor, with no relative move it refused.
TEST(TermWriterMotion, GridChangesCostTheCheapestMotion) {
  struct Case {
    const char* name;
    std::function<void(Grid&)> before, change;
    const char* expected;  // exact bytes
    const char* row5;      // the model's row 5, columns 9-21, afterwards
    WriterOptions options;
  };
  const auto none = [](Grid&) {};
  const auto line_cell = [](Grid& g) { set(g, 21, 5, '\xC4', TEXT); };
  const auto around_it = [](Grid& g) { set(g, 20, 5, 'a', TEXT), set(g, 22, 5, 'b', TEXT), g.cursor_x = 23; };
  const char* const field = " hello////// ";
  const WriterOptions plain{0, 0, 16, false, ""}, centred{1, 2, 16, true, ""};
  const Case cases[] = {
      {"Left", none, [](Grid& g) { g.cursor_x = 14; }, "\b", field, {}},
      {"Right over text", [](Grid& g) { g.cursor_x = 12; }, [](Grid& g) { g.cursor_x = 13; }, "l", field, {}},
      {"Home", none, [](Grid& g) { g.cursor_x = 10; }, "\x1b[5D", field, {}},
      {"Backspace at the end, fill colour", none, [](Grid& g) { set(g, 14, 5, '/', FILL), g.cursor_x = 14; },
       "\b\x1b[37m/\b", " hell/////// ", {}},
      {"Backspace at the end, same colour", none, [](Grid& g) { set(g, 14, 5, ' ', TEXT), g.cursor_x = 14; },
       "\b \b", " hell ////// ", {}},
      {"after the last column the place is unknown", none,
       [](Grid& g) { set(g, 80, 5, 'x', TEXT), set(g, 1, 6, 'y', TEXT), g.cursor_x = 2, g.cursor_y = 6; },
       "\x1b[65Cx\x1b[6Hy", field, {}},
      {"a line-drawing cell is rewritten with UTF-8", line_cell, around_it, "\x1b[5Ca\u2500b",
       " hello/////a\u2500", {}},
      {"but not while the ASCII set is selected", line_cell, around_it, "\x1b[5Ca\x1b[Cb",
       " hello/////a\u2500", plain},
      {"centred: CR is left of the screen", none, [](Grid& g) { g.cursor_x = 1; }, "\r\x1b[C", field, centred},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WriterOptions& o = c.options;
    TermWriter writer(o);
    VtModel vt(SCREEN_COLS + 2 * o.origin_x, SCREEN_ROWS + 2 * o.origin_y, o.utf8);
    Grid g = field_screen();
    set(g, 14, 5, '/', FILL);
    vt.apply(writer.flush(g));
    g = field_screen();
    vt.apply(writer.flush(g));
    c.before(g);
    vt.apply(writer.flush(g));
    c.change(g);
    const std::string bytes = writer.flush(g);
    vt.apply(bytes);
    EXPECT_EQ(bytes, c.expected);
    EXPECT_EQ(row_text(vt, 5 + o.origin_y, 9, 21, o.origin_x), c.row5);
    for (int y = 1; y <= SCREEN_ROWS; ++y)
      for (int x = 1; x <= SCREEN_COLS; ++x)
        ASSERT_EQ(vt.at(x + o.origin_x, y + o.origin_y).attr, g.cells[y - 1][x - 1].attr) << x << "," << y;
    EXPECT_EQ(vt.cursor_column(), g.cursor_x + o.origin_x);
    EXPECT_EQ(vt.cursor_row(), g.cursor_y + o.origin_y);
    EXPECT_TRUE(vt.errors().empty()) << vt.errors().front();
  }
}

}  // namespace
