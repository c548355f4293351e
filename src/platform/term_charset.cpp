#include "platform/term_charset.h"

namespace {

// A VT100's own acsc: every symbol is sent as itself.
constexpr std::string_view DEC_DEFAULT =
    "``aaffggjjkkllmmnnooppqqrrssttuuvvwwxxyyzz{{||}}~~";

bool ascii(char c) { return static_cast<unsigned char>(c) < 128; }

}  // namespace

LineDrawingSet line_drawing_set(std::string_view acsc) noexcept {
  if (acsc.empty()) acsc = DEC_DEFAULT;
  LineDrawingSet set;
  for (int c = 0x5F; c <= 0x7E; ++c) set.replaced[c] = true;
  for (size_t i = 0; i + 1 < acsc.size(); i += 2) {
    const char symbol = acsc[i], sent = acsc[i + 1];
    if (!ascii(symbol) || !ascii(sent)) continue;
    set.draws[static_cast<int>(symbol)] = sent;
    set.replaced[static_cast<int>(sent)] = true;
  }
  return set;
}

char line_drawing_fallback(char symbol) noexcept {
  switch (symbol) {
    case 'q': return '-';
    case 'x': return '|';
    case 'a': return '#';
    default: return '+';  // corners and tees
  }
}
