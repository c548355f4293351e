// An attribute is compared by what the terminal shows (colours, bold, blink),
// and a change is sent either as the differences alone (22/25 turn bold and
// blink off) or as a reset followed by the whole attribute, whichever is
// shorter.
#include "platform/term_writer_sgr.h"

namespace {

struct Look {
  int fg;  // SGR foreground 30-37 or 90-97
  int bg;  // SGR background 40-47
  bool bold;
  bool blink;
  bool operator==(const Look&) const = default;
};

int ansi(int bios) { return (bios & 2) | ((bios & 1) << 2) | ((bios & 4) >> 2); }

Look look_of(uint8_t attr, int colours) {
  const int fg = attr & 0x0F;
  const bool bright = fg & 8;
  Look look{};
  look.bg = 40 + ansi((attr >> 4) & 7);
  look.blink = attr & 0x80;
  if (colours >= 16) {
    look.fg = (bright ? 90 : 30) + ansi(fg & 7);
    look.bold = false;
  } else {
    look.fg = 30 + ansi(fg & 7);
    look.bold = bright;
  }
  return look;
}

void add(std::string& params, int value) {
  if (!params.empty()) params += ';';
  params += std::to_string(value);
}

std::string full(const Look& to) {
  std::string p = "0";
  if (to.bold) add(p, 1);
  if (to.blink) add(p, 5);
  add(p, to.fg);
  add(p, to.bg);
  return p;
}

std::string difference(const Look& from, const Look& to) {
  std::string p;
  if (from.bold != to.bold) add(p, to.bold ? 1 : 22);
  if (from.blink != to.blink) add(p, to.blink ? 5 : 25);
  if (from.fg != to.fg) add(p, to.fg);
  if (from.bg != to.bg) add(p, to.bg);
  return p;
}

}  // namespace

std::string sgr_change(int from, uint8_t to, int colours) noexcept {
  const Look wanted = look_of(to, colours);
  std::string params = full(wanted);
  if (from >= 0) {
    const Look current = look_of(static_cast<uint8_t>(from), colours);
    if (current == wanted) return {};
    std::string diff = difference(current, wanted);
    if (diff.size() <= params.size()) params = diff;
  }
  return "\x1b[" + params + "m";
}
