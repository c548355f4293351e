// The only file that includes <term.h>: it defines macros such as `lines`,
// `columns` and `bell` that would clash with ordinary names elsewhere.
// Function keys above F12 follow the common numbering (kf13-24 Shift,
// kf25-36 Ctrl, kf49-60 Alt); the decoder's own tables win where they know a
// sequence, so a terminal that numbers them otherwise does no harm.
#include "platform/terminfo.h"

#include <curses.h>
#include <term.h>

#include <cstdio>

#include "platform/keys.h"

namespace {

namespace s = key::scan;

struct NamedKey {
  const char* capability;
  int scan;
};

constexpr NamedKey NAMED_KEYS[] = {
    {"kcuu1", s::UP},       {"kcud1", s::DOWN},     {"kcub1", s::LEFT},     {"kcuf1", s::RIGHT},
    {"khome", s::HOME},     {"kend", s::END},       {"kpp", s::PGUP},       {"knp", s::PGDN},
    {"kich1", s::INS},      {"kdch1", s::DEL},      {"kcbt", s::SHIFT_TAB}, {"kDC", s::DEL},
    {"kEND", s::END},       {"kHOM", s::HOME},      {"kLFT", s::LEFT},      {"kRIT", s::RIGHT},
    {"kNXT", s::PGDN},      {"kPRV", s::PGUP},      {"kIC", s::INS},
    // extended names (ncurses user capabilities): 5 is Ctrl, 3 is Alt
    {"kUP5", s::CTRL_UP},   {"kDN5", s::CTRL_DOWN}, {"kLFT5", s::CTRL_LEFT}, {"kRIT5", s::CTRL_RIGHT},
    {"kHOM5", s::CTRL_HOME}, {"kEND5", s::CTRL_END}, {"kPRV5", s::CTRL_PGUP}, {"kNXT5", s::CTRL_PGDN},
    {"kIC5", s::CTRL_INS},  {"kDC5", s::CTRL_DEL},
    {"kUP3", s::ALT_UP},    {"kDN3", s::ALT_DOWN},  {"kLFT3", s::ALT_LEFT}, {"kRIT3", s::ALT_RIGHT},
    {"kHOM3", s::ALT_HOME}, {"kEND3", s::ALT_END},  {"kPRV3", s::ALT_PGUP}, {"kNXT3", s::ALT_PGDN},
    {"kIC3", s::ALT_INS},   {"kDC3", s::ALT_DEL},
};

// terminfo returns nullptr for an absent string and (char*)-1 for a name
// that is not a string capability.
std::string string_cap(const char* name) {
  const char* value = tigetstr(name);
  if (value == nullptr || value == reinterpret_cast<const char*>(-1)) return {};
  return value;
}

// Scan code of function key kfN, or 0 when we give it no meaning.
int function_key_scan(int n) {
  const int group = (n - 1) / 12;  // 0 plain, 1 Shift, 2 Ctrl, 3 Ctrl+Shift, 4 Alt
  const int index = (n - 1) % 12;  // 0..11 for F1..F12
  static constexpr int FIRST[] = {s::F1, s::SHIFT_F1, s::CTRL_F1, 0, s::ALT_F1};
  static constexpr int ELEVENTH[] = {s::F11, s::SHIFT_F11, s::CTRL_F11, 0, s::ALT_F11};
  if (group > 4 || FIRST[group] == 0) return 0;
  return index < 10 ? FIRST[group] + index : ELEVENTH[group] + (index - 10);
}

// A flag, or a number or string of that name (RGB comes in all three forms).
bool has_cap(const char* name) {
  if (tigetflag(name) > 0) return true;
  if (tigetnum(name) > 0) return true;
  return !string_cap(name).empty();
}

// terminfo's delays ($<5> in vt100's entry) are no bytes the terminal sees.
std::string without_padding(std::string bytes) {
  for (size_t at = bytes.find("$<"); at != std::string::npos; at = bytes.find("$<", at)) {
    const size_t end = bytes.find('>', at);
    bytes.erase(at, end == std::string::npos ? std::string::npos : end - at + 1);
  }
  return bytes;
}

// Whether cup moves the cursor the way the writer does: Esc [ row ; column H.
bool cup_is_ansi(const std::string& cup) {
  return !cup.empty() && without_padding(tiparm(cup.c_str(), 4, 9)) == "\x1b[5;10H";
}

void add_key(TerminfoEntry& entry, const char* capability, int scan) {
  std::string bytes = string_cap(capability);
  if (!bytes.empty() && scan != 0) entry.keys.emplace_back(std::move(bytes), key::extended(scan));
}

}  // namespace

TerminfoEntry terminfo_load(int fd, const char* term) noexcept {
  TerminfoEntry entry;
  int status = 0;
  TERMINAL* const previous = cur_term;
  if (setupterm(term, fd, &status) != OK) return entry;
  if (previous && previous != cur_term) del_curterm(previous);  // only the last lookup is kept
  entry.found = true;
  const int colours = tigetnum("colors");
  entry.colours = colours > 0 ? colours : 0;
  const std::string cup = string_cap("cup");
  entry.addressing = !cup.empty();
  entry.ansi_addressing = cup_is_ansi(cup);
  entry.rgb = has_cap("RGB") || has_cap("Tc");
  entry.utf8_no_acs = has_cap("U8");
  entry.meta_key = tigetflag("km") > 0;
  entry.underline = !string_cap("smul").empty();
  entry.dim = !string_cap("dim").empty();
  entry.acsc = string_cap("acsc");
  entry.keypad_on = string_cap("smkx");
  entry.keypad_off = string_cap("rmkx");
  for (const NamedKey& named : NAMED_KEYS) add_key(entry, named.capability, named.scan);
  char name[8];
  for (int n = 1; n <= 63; ++n) {
    snprintf(name, sizeof name, "kf%d", n);
    add_key(entry, name, function_key_scan(n));
  }
  return entry;
}

const TerminfoEntry& terminfo_current(int fd) noexcept {
  static const TerminfoEntry entry = terminfo_load(fd);
  return entry;
}
