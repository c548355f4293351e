// An attribute is compared by what the terminal shows (colours, bold, dim,
// underline, blink, reverse), and a change is sent either as the differences
// alone (22/24/25/27 turn them off) or as a reset followed by the whole
// attribute, whichever is shorter.
#include "platform/term_writer_sgr.h"

#include <array>

namespace {

// The sixteen colours of a VGA card in BIOS order.
constexpr uint32_t VGA[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                              0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                              0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
// The levels of xterm's 6x6x6 colour cube (indices 16-231).
constexpr int CUBE[6] = {0, 95, 135, 175, 215, 255};

// VGA pairs (BIOS numbers) that the common 16-colour palettes show with too
// little contrast, chiefly light grey (#E5E5E5 in xterm) and brown (yellow
// there) behind bright letters, and the foreground drawn instead: at least
// 3:1 on xterm's default palette, and apart from the text beside a hotkey
// in the shipped colours (0x7A/0x7F, 0x30/0x3F).
constexpr struct {
  uint8_t fg, bg, stand_in;
} STAND_INS[] = {
    {4, 1, 6},   {9, 1, 11},  {6, 2, 1},   {8, 2, 0},   {10, 2, 1},  {11, 2, 1},
    {6, 3, 1},   {10, 3, 1},  {11, 3, 1},  {14, 3, 1},  {15, 3, 1},  {1, 4, 11},
    {12, 4, 14}, {13, 4, 14}, {12, 5, 14}, {13, 5, 14}, {2, 6, 1},   {3, 6, 1},
    {7, 6, 0},   {10, 6, 1},  {11, 6, 1},  {13, 6, 4},  {14, 6, 4},  {15, 6, 0},
    {6, 7, 4},   {10, 7, 9},  {11, 7, 9},  {14, 7, 12}, {15, 7, 8},
};

struct Look {
  std::string fg;  // SGR parameters of the foreground; empty in monochrome
  std::string bg;
  bool bold = false;
  bool dim = false;
  bool underline = false;
  bool blink = false;
  bool reverse = false;
  bool operator==(const Look&) const = default;
};

int ansi(int bios) { return (bios & 2) | ((bios & 1) << 2) | ((bios & 4) >> 2); }

int channel(uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

uint32_t index_rgb(int index) {
  if (index >= 232) {
    const uint32_t grey = static_cast<uint32_t>(8 + 10 * (index - 232));
    return grey << 16 | grey << 8 | grey;
  }
  const int cube = index - 16;
  return static_cast<uint32_t>(CUBE[cube / 36] << 16 | CUBE[cube / 6 % 6] << 8 | CUBE[cube % 6]);
}

int distance(uint32_t a, uint32_t b) {
  int sum = 0;
  for (int shift : {0, 8, 16}) {
    const int d = channel(a, shift) - channel(b, shift);
    sum += d * d;
  }
  return sum;
}

int nearest_index(uint32_t want) {
  int best = 16;
  for (int index = 17; index < 256; ++index)
    if (distance(index_rgb(index), want) < distance(index_rgb(best), want)) best = index;
  return best;
}

// The 256-colour index (16..255, the part no colour theme changes) nearest
// the VGA colour with BIOS number bios (0..15).
int vga_index_256(int bios) {
  static const auto table = [] {
    std::array<int, 16> indices{};
    for (int c = 0; c < 16; ++c) indices[static_cast<size_t>(c)] = nearest_index(VGA[c]);
    return indices;
  }();
  return table[static_cast<size_t>(bios & 15)];
}

// Perceived brightness, for deciding which of two colours is the lighter.
int lightness(int bios) {
  const uint32_t rgb = VGA[bios];
  return 299 * channel(rgb, 16) + 587 * channel(rgb, 8) + 114 * channel(rgb, 0);
}

std::string rgb_params(int base, uint32_t rgb) {
  return std::to_string(base) + ";2;" + std::to_string(channel(rgb, 16)) + ';' +
         std::to_string(channel(rgb, 8)) + ';' + std::to_string(channel(rgb, 0));
}

// fg is 0..15, bg 0..7, both BIOS numbers. A terminal that shows blink as
// a brighter background does so only for the eight basic ones.
void set_colours(Look& look, int fg, int bg, const SgrMode& mode) {
  const int colours = mode.colours;
  if (colours >= TRUECOLOR) {
    look.fg = rgb_params(38, VGA[fg]);
    look.bg = rgb_params(48, VGA[bg]);
  } else if (colours >= 256) {
    look.fg = "38;5;" + std::to_string(vga_index_256(fg));
    look.bg = "48;5;" + std::to_string(vga_index_256(bg));
  }
  if (colours >= 256) {
    if (look.blink && mode.blink_brightens) look.bg = std::to_string(40 + ansi(bg));
    return;
  }
  fg = stand_in_foreground(fg, bg);
  if (colours >= 16) {
    look.fg = std::to_string(((fg & 8) ? 90 : 30) + ansi(fg & 7));
    look.bg = std::to_string(40 + ansi(bg));
  } else {
    look.fg = std::to_string(30 + ansi(fg & 7));
    look.bg = std::to_string(40 + ansi(bg));
    look.bold = fg & 8;
  }
}

// Without colours every bar and hotkey must still stand out, and a shadow
// (black on black) must not vanish.
Look look_of(int attr, const SgrMode& mode) {
  const int fg = attr & 0x0F;
  const int bg = (attr >> 4) & 7;
  Look look;
  look.blink = attr & 0x80;
  if (mode.colours == MONOCHROME) {
    const bool shadow = (attr & 0x7F) == 0;
    look.reverse = shadow || lightness(bg) > lightness(fg);
    look.dim = shadow && mode.dim;
    look.bold = fg & 8;
    look.underline = (attr & HOTKEY_LOOK) && mode.underline;
  } else {
    set_colours(look, fg, bg, mode);
  }
  return look;
}

void add(std::string& params, const std::string& value) {
  if (value.empty()) return;
  if (!params.empty()) params += ';';
  params += value;
}

std::string full(const Look& to) {
  std::string p = "0";
  if (to.bold) add(p, "1");
  if (to.dim) add(p, "2");
  if (to.underline) add(p, "4");
  if (to.blink) add(p, "5");
  if (to.reverse) add(p, "7");
  add(p, to.fg);
  add(p, to.bg);
  return p;
}

std::string difference(const Look& from, const Look& to) {
  std::string p;
  // 22 ends bold and dim together: whichever stays is set again.
  const bool intensity_off = (from.bold && !to.bold) || (from.dim && !to.dim);
  if (intensity_off) add(p, "22");
  if (to.bold && (intensity_off || !from.bold)) add(p, "1");
  if (to.dim && (intensity_off || !from.dim)) add(p, "2");
  if (from.underline != to.underline) add(p, to.underline ? "4" : "24");
  if (from.blink != to.blink) add(p, to.blink ? "5" : "25");
  if (from.reverse != to.reverse) add(p, to.reverse ? "7" : "27");
  if (from.fg != to.fg) add(p, to.fg);
  if (from.bg != to.bg) add(p, to.bg);
  return p;
}

}  // namespace

std::string sgr_change(int from, int to, const SgrMode& mode) noexcept {
  const Look wanted = look_of(to, mode);
  std::string params = full(wanted);
  if (from >= 0) {
    const Look current = look_of(from, mode);
    if (current == wanted) return {};
    std::string diff = difference(current, wanted);
    if (diff.size() <= params.size()) params = diff;
  }
  return "\x1b[" + params + "m";
}

int stand_in_foreground(int fg, int bg) noexcept {
  for (const auto& pair : STAND_INS)
    if (pair.fg == fg && pair.bg == bg) return pair.stand_in;
  return fg;
}
