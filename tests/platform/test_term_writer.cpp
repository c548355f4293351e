// Grids in, bytes out. The bytes are played into a model terminal and the
// screen it shows is compared with the grid, text and attributes apart; the
// cost of typical updates is checked in bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

constexpr const char* URXVT_ACSC = "+C,D-A.B0E``aaffgghFiGjjkkllmmnnooppqqrrssttuuvvwwxxyyzz{{||}}~~";
constexpr const char* LINUX_ACSC = "++,,--..00``aaffgghhiijjkkllmmnnooppqqrrssttuuvvwwxxyyzz{{||}}~~";

// How bright each VGA colour looks (BIOS order), for the monochrome reading.
constexpr int LUMA[16] = {0, 194, 998, 1192, 508, 702, 1007, 1700, 850, 1044, 1848, 2042, 1358, 1552, 2356, 2550};

// The attribute a model terminal reads back for a cell: itself in colour
// (with its stand-in foreground on 8 and 16); in monochrome reverse where the
// background is the lighter or the cell is a shadow, bold for bright.
int shown_attr(uint8_t attr, int colours) {
  if (colours == 8 || colours == 16) return (attr & 0xF0) | stand_in_foreground(attr & 15, (attr >> 4) & 7);
  if (colours != MONOCHROME) return attr;
  if ((attr & 0x7F) == 0) return 0x70 | (attr & 0x80);
  const bool reverse = LUMA[(attr >> 4) & 7] > LUMA[attr & 15];
  return (reverse ? 0x70 : 0x07) | (attr & 0x88);
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
      want_attr += std::to_string(shown_attr(cell.attr, o.colours)) + " ";
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

// Text right after frame characters: letters and punctuation that some
// line-drawing sets replace must not be drawn from the set.
void text_after_frames(Grid& g) {
  put(g, 1, 3, "\xB3" "Company\xB3+,-.0_`\xC4 12.50 \xBA" "ABCDEFGHIJ\xCD" "abc{|}~", 0x1F);
  put(g, 1, 4, "\xDA\xC4\xBF \xB0\xB1 \xC0\xC4\xD9hijklmnopqrstuvwxyz", 0x70);
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
  const WriterOptions utf8{}, eight{0, 0, 8, true, ""}, plain{0, 0, 16, false, ""},
      centred{10, 2, 16, true, ""}, urxvt{0, 0, 256, false, URXVT_ACSC}, linux{0, 0, 8, false, LINUX_ACSC},
      indexed{0, 0, 256, true, ""}, rgb{0, 0, TRUECOLOR, true, ""}, mono{0, 0, MONOCHROME, false, ""};
  const Scene scenes[] = {
      {"rxvt-unicode's line-drawing set", urxvt, 80, 25, {frame, text_after_frames, fill_every_byte}},
      {"the Linux console's line-drawing set", linux, 80, 25, {frame, text_after_frames, change_scattered}},
      {"random edits with rxvt-unicode's set", urxvt, 80, 25, random_steps(20)},
      {"256 colours", indexed, 80, 25, {fill_every_byte, frame, change_scattered, bright_and_blink_off}},
      {"truecolor", rgb, 80, 25, {fill_every_byte, frame, bright_and_blink_off}},
      {"monochrome", mono, 80, 25, {fill_every_byte, frame, change_scattered, bright_and_blink_off}},
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
    vt.set_acsc(scene.options.acsc);
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
  struct Case {
    const char* terminal;
    const char* acsc;
    const char* text;  // drawn at 1,1 over a blank screen
    const char* expected;
  };
  const Case cases[] = {
      {"DEC default", "", "\xC9\xCD\xCD\xBB", "\x1b(0lqqk\x1b(B"},
      {"DEC default", "", "\xB0\xB1\xB2\xDB", "\x1b(0aaaa\x1b(B"},
      {"DEC default", "", "\x82\x01 \xFF", "?? ?"},  // nbsp has no stand-in either
      {"DEC default", "", "\xB3 A+\xB3_a", "\x1b(0x A+x\x1b(B_a"},
      {"rxvt-unicode", URXVT_ACSC, "\xB3" "Company", "\x1b(0x\x1b(BCompany"},
      {"rxvt-unicode", URXVT_ACSC, "\xC4 +1\xC4" "F.", "\x1b(0q +1q\x1b(BF."},
      {"linux", LINUX_ACSC, "\xB3" "Co", "\x1b(0xC\x1b(Bo"},
      {"linux", LINUX_ACSC, "\xB3" "12.50\xB3", "\x1b(0x12\x1b(B.50\x1b(0x\x1b(B"},
      {"linux", LINUX_ACSC, "\xB3" "0", "\x1b(0x\x1b(B0"},
      // a set that draws no corners: ASCII stand-ins, outside the set
      {"lines only", "qqxx", "\xDA\xC4\xBF\xB3\xB0", "+\x1b(0q+x#\x1b(B"},
      {"remapped", "qAxB", "\xC4\xB3" "AB", "\x1b(0AB\x1b(BAB"},
  };
  for (const Case& c : cases) {
    WriterOptions o;
    o.utf8 = false;
    o.acsc = c.acsc;
    TermWriter writer(o);
    Grid g = blank();
    writer.flush(g);
    put(g, 1, 1, c.text, 0x07);
    EXPECT_EQ(writer.flush(g), c.expected) << c.terminal << ": " << c.text;
  }
}

// On 256 colours every colour change may cost at most 12 bytes more than on
// 16 (two colours of at most 6 more each), and the changes stay where they were.
TEST(TermWriter, ExtendedColoursCostAtMostTwelveBytesMorePerChange) {
  const auto draws = [](Grid& g, int step) {
    put(g, 3, 2, " Headings   ", step % 2 ? 0x70 : 0x1F);
    put(g, 3, 2, "H", step % 2 ? 0x7F : 0x1E);
    put(g, 17, 2, " Printers   ", step % 2 ? 0x1F : 0x70);
    put(g, 17, 2, "P", step % 2 ? 0x1E : 0x7F);
    put(g, 10, 5 + step, "typed", 0x4E);
  };
  const auto sgr_count = [](const std::string& bytes) {
    size_t count = 0;
    for (size_t at = bytes.find("\x1b["); at != std::string::npos; at = bytes.find("\x1b[", at + 1))
      count += bytes.find_first_of("Hm", at) == bytes.find('m', at);  // a move ends in H
    return count;
  };
  TermWriter sixteen, indexed({0, 0, 256, true, ""});
  Grid g = blank();
  sixteen.flush(g);
  indexed.flush(g);
  for (int step = 0; step < 6; ++step) {
    draws(g, step);
    const std::string a = sixteen.flush(g), b = indexed.flush(g);
    EXPECT_EQ(sgr_count(b), sgr_count(a)) << "step " << step;
    EXPECT_LE(b.size(), a.size() + 12 * sgr_count(a)) << "step " << step;
  }
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
      {0x07, 0x47, 16, "\x1b[41m"},     {0x07, 0x67, 16, "\x1b[30;43m"},
      {0x07, 0x37, 16, "\x1b[46m"},     {0x07, 0x01, 16, "\x1b[34m"},
      {0x07, 0x0C, 16, "\x1b[91m"},     {0x07, 0x87, 16, "\x1b[5m"},
      {0x87, 0x07, 16, "\x1b[25m"},     {0x07, 0x0F, 8, "\x1b[1m"},
      {0x0F, 0x07, 8, "\x1b[22m"},      {0x0E, 0x07, 8, "\x1b[22;37m"},
      {-1, 0x9E, 8, "\x1b[0;1;5;33;44m"}, {0x9F, 0x20, 8, "\x1b[0;30;42m"},
      // 256 colours: the indices nearest the VGA colours, never 0-15
      {-1, 0x7F, 256, "\x1b[0;38;5;231;48;5;248m"}, {0x7F, 0x70, 256, "\x1b[38;5;16m"},
      {0x07, 0x1E, 256, "\x1b[38;5;227;48;5;19m"},  {0x07, 0x6A, 256, "\x1b[38;5;83;48;5;130m"},
      {0x07, 0x4C, 256, "\x1b[38;5;203;48;5;124m"}, {0x07, 0x58, 256, "\x1b[38;5;240;48;5;127m"},
      {0x07, 0x39, 256, "\x1b[38;5;63;48;5;37m"},   {0x07, 0x2B, 256, "\x1b[38;5;87;48;5;34m"},
      {0x07, 0x0D, 256, "\x1b[38;5;207m"},          {0x07, 0x87, 256, "\x1b[5m"},
      // truecolor: exactly the VGA colours
      {-1, 0x7F, TRUECOLOR, "\x1b[0;38;2;255;255;255;48;2;170;170;170m"},
      {0x07, 0x16, TRUECOLOR, "\x1b[38;2;170;85;0;48;2;0;0;170m"},
      // monochrome: reverse where the background is the lighter, bold for bright
      {-1, 0x07, MONOCHROME, "\x1b[0m"},  {-1, 0x70, MONOCHROME, "\x1b[0;7m"},
      {0x07, 0x1F, MONOCHROME, "\x1b[1m"}, {0x1F, 0x70, MONOCHROME, "\x1b[0;7m"},
      {0x70, 0x7F, MONOCHROME, "\x1b[0;1m"}, {0x70, 0x71, MONOCHROME, ""},
      {0x07, 0x17, MONOCHROME, ""},        {0x07, 0x62, MONOCHROME, "\x1b[7m"},
      {0x07, 0x26, MONOCHROME, ""},        {0x07, 0xCE, MONOCHROME, "\x1b[1;5m"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(sgr_change(c.from, c.to, c.colours), c.expected)
        << "from " << c.from << " to " << int(c.to) << " with " << c.colours << " colours";
}

// Monochrome marks hotkeys and shadows where the terminal can; rxvt-unicode
// shows blink only on the eight basic backgrounds.
TEST(TermWriter, HotkeysShadowsAndBlinkWhereTheTerminalCanShowThem) {
  SgrMode mono(MONOCHROME), mono_plain(MONOCHROME), rxvt(256), rgb_rxvt(TRUECOLOR);
  mono.underline = mono.dim = true;
  rxvt.blink_brightens = rgb_rxvt.blink_brightens = true;
  struct Case {
    int from, to;
    SgrMode mode;
    const char* expected;
  };
  const Case cases[] = {
      {-1, 0x0F | HOTKEY_LOOK, mono, "\x1b[0;1;4m"},   {0x0E, 0x0F | HOTKEY_LOOK, mono, "\x1b[4m"},
      {-1, 0x0F | HOTKEY_LOOK, mono_plain, "\x1b[0;1m"}, {-1, 0x0F | HOTKEY_LOOK, 16, "\x1b[0;97;40m"},
      {0x07, 0x00, mono, "\x1b[2;7m"},                  {-1, 0x00, mono_plain, "\x1b[0;7m"},
      {0x00, 0x0F, mono, "\x1b[0;1m"},                  {0x17, 0x97, rxvt, "\x1b[5;44m"},
      {-1, 0x97, 256, "\x1b[0;5;38;5;248;48;5;19m"},   {-1, 0xF0, rgb_rxvt, "\x1b[0;5;38;2;0;0;0;47m"},
      // stand-ins on 8 and 16 colours only
      {-1, 0x7F, 16, "\x1b[0;90;47m"},                 {-1, 0x7F, 8, "\x1b[0;1;30;47m"},
      {-1, 0x3F, 16, "\x1b[0;34;46m"},                 {-1, 0x7F, 256, "\x1b[0;38;5;231;48;5;248m"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(sgr_change(c.from, c.to, c.mode), c.expected)
        << "from " << c.from << " to " << c.to << " with " << c.mode.colours << " colours";
}

// xterm's default palette (ANSI order) and the VGA's (BIOS order).
constexpr uint32_t XTERM_RGB[16] = {0x000000, 0xCD0000, 0x00CD00, 0xCDCD00, 0x0000EE, 0xCD00CD,
                                    0x00CDCD, 0xE5E5E5, 0x7F7F7F, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x5C5CFF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr uint32_t VGA_RGB[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                  0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                  0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};

double luminance(uint32_t rgb) {
  const auto linear = [](uint32_t c) {
    const double v = c / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(rgb >> 16 & 255) + 0.7152 * linear(rgb >> 8 & 255) + 0.0722 * linear(rgb & 255);
}

double contrast(uint32_t a, uint32_t b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

uint32_t on_xterm(int bios) { return XTERM_RGB[(bios & 8) | (bios & 2) | (bios & 1) << 2 | (bios & 4) >> 2]; }

// Every pair a VGA shows readably stays readable on xterm's palette (at
// 2:1; a stand-in at 3:1), and the hotkeys of the shipped colours stay apart
// from the text beside them.
TEST(TermWriter, StandInsKeepEveryPairReadableOnXtermsPalette) {
  for (int bg = 0; bg < 8; ++bg)
    for (int fg = 0; fg < 16; ++fg) {
      const int shown = stand_in_foreground(fg, bg);
      const double vga = contrast(VGA_RGB[fg], VGA_RGB[bg]), xterm = contrast(on_xterm(shown), on_xterm(bg));
      const double least = shown != fg ? 3.0 : vga >= 1.6 ? std::min(vga, 2.0) - 0.01 : 1.0;
      EXPECT_GE(xterm, least) << "fg " << fg << " bg " << bg << " shown with fg " << shown;
    }
  const int beside[][2] = {{0x7A, 0x7F}, {0x30, 0x3F}, {0x71, 0x7F}, {0x4E, 0x4F}, {0x0E, 0x0F}};
  for (const auto& [text, hotkey] : beside)
    EXPECT_NE(stand_in_foreground(text & 15, text >> 4), stand_in_foreground(hotkey & 15, hotkey >> 4))
        << std::hex << text << " beside " << hotkey;
}

}  // namespace
