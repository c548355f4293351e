// Terminals differ in what they show and send, and the environment may
// claim more than the terminal can do: COLORTERM is inherited by programs
// running inside GNU screen, which cannot show 24-bit colour; an 8-bit locale
// says nothing about a Linux console that still decodes UTF-8.
#include "platform/terminal_profile.h"

#include <linux/kd.h>
#include <sys/ioctl.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/locale_charset.h"

namespace {

constexpr std::string_view KEYPAD_APPLICATION = "\x1b=";
constexpr const char* KEYPAD_NUMERIC = "\x1b>";
// Bracketed paste: the terminal marks pasted text, so it cannot pass for keys.
constexpr const char* PASTE_ON = "\x1b[?2004h";
constexpr const char* PASTE_OFF = "\x1b[?2004l";
// Meta (Alt) as an Esc prefix rather than bit 7, the terminal's own setting
// saved before and restored after; terminals without it ignore both.
constexpr const char* META_ESC_ON = "\x1b[?1036s\x1b[?1036h";
constexpr const char* META_RESTORE = "\x1b[?1036r";

bool is(const char* value, const char* wanted) { return value && std::strcmp(value, wanted) == 0; }
bool set(const char* value) { return value && *value && !is(value, "0"); }
bool starts(const char* value, const char* prefix) {
  return value && std::strncmp(value, prefix, std::strlen(prefix)) == 0;
}

// Boxes as UTF-8 without a UTF-8 locale: asked for, or a terminal whose
// entry says it ignores the line-drawing set in UTF-8 mode (U8: the Linux
// console, which starts in that mode), unless the console itself says it
// is not in it. Multiplexers carry U8 too but draw the set themselves.
bool lines_as_utf8(const TerminfoEntry& entry, const TerminalEnvironment& env) {
  if (set(env.no_utf8_acs)) return true;
  const bool multiplexer = starts(env.term, "screen") || starts(env.term, "tmux");
  return entry.utf8_no_acs && !multiplexer && env.console != Console::EIGHT_BIT;
}

// SETUPEDIT_COLOURS: a depth, or -1 when unset (the terminal decides), or
// -2 when it names none.
int chosen_colours(const char* value) {
  if (!value || !*value) return -1;
  if (is(value, "mono")) return MONOCHROME;
  if (is(value, "8")) return 8;
  if (is(value, "16")) return 16;
  if (is(value, "256")) return 256;
  if (is(value, "truecolor")) return TRUECOLOR;
  return -2;
}

// GNU screen passes COLORTERM on from the terminal outside it but cannot
// carry 24-bit colour; terminfo's RGB or Tc says a terminal can.
int terminal_colours(const TerminfoEntry& entry, const TerminalEnvironment& env) {
  if (entry.colours < 8) return MONOCHROME;
  const bool rgb_claimed = is(env.colorterm, "truecolor") || is(env.colorterm, "24bit");
  if (rgb_claimed && (entry.rgb || !starts(env.term, "screen"))) return TRUECOLOR;
  if (entry.colours >= 256) return 256;
  return entry.colours >= 16 ? 16 : 8;
}

// Cursor keys in application mode, as terminfo's key strings expect, but
// the keypad numeric: in application mode some terminals (rxvt-unicode, the
// Linux console) send the same codes with NumLock on and off, so keypad
// arrows would type digits.
std::string numeric_keypad(std::string keypad_on) {
  bool dropped = false;
  for (size_t at = keypad_on.find(KEYPAD_APPLICATION); at != std::string::npos;
       at = keypad_on.find(KEYPAD_APPLICATION, at)) {
    keypad_on.erase(at, KEYPAD_APPLICATION.size());
    dropped = true;
  }
  return dropped ? keypad_on + KEYPAD_NUMERIC : keypad_on;
}

const char* refusal(const TerminfoEntry& entry, const TerminalEnvironment& env) {
  if (env.term == nullptr || *env.term == '\0') return "TERM is not set";
  if (!entry.found) return "is unknown to terminfo";
  if (!entry.addressing) return "cannot move the cursor";
  if (!entry.ansi_addressing) return "does not move the cursor with ANSI sequences";
  return nullptr;
}

}  // namespace

TerminalProfile terminal_profile(const TerminfoEntry& entry, const TerminalEnvironment& env) noexcept {
  TerminalProfile p;
  p.refusal = refusal(entry, env);
  const int chosen = chosen_colours(env.colours);
  p.colours_known = chosen != -2;
  WriterOptions& w = p.writer;
  w.colours = chosen >= 0 ? chosen : terminal_colours(entry, env);
  w.utf8 = env.locale_utf8 || env.console == Console::UNICODE;
  w.utf8_lines = !w.utf8 && lines_as_utf8(entry, env);
  w.acsc = entry.acsc;
  w.blink_brightens = starts(env.term, "rxvt");
  w.underline = entry.underline;
  w.dim = entry.dim;
  p.utf8_input = w.utf8;
  p.meta_sets_bit7 = !w.utf8 && entry.meta_key;
  p.enter = numeric_keypad(entry.keypad_on) + "\x1b[?1049h\x1b[?25h" + PASTE_ON + META_ESC_ON;
  // Cleared before leaving: a terminal without an alternate screen (the
  // Linux console) would otherwise keep our drawing under the shell's prompt.
  p.leave = std::string("\x1b[0m\x1b(B\x1b[H\x1b[2J\x1b[?25h") + PASTE_OFF + META_RESTORE +
            entry.keypad_off + "\x1b[?1049l";
  return p;
}

TerminalEnvironment terminal_environment(int fd) noexcept {
  TerminalEnvironment env;
  env.term = std::getenv("TERM");
  env.colorterm = std::getenv("COLORTERM");
  env.colours = std::getenv("SETUPEDIT_COLOURS");
  env.no_utf8_acs = std::getenv("NCURSES_NO_UTF8_ACS");
  env.locale_utf8 = locale_is_utf8();
  int mode = 0;
  if (ioctl(fd, KDGKBMODE, &mode) == 0) env.console = mode == K_UNICODE ? Console::UNICODE : Console::EIGHT_BIT;
  return env;
}
