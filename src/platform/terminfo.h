// What the current TERM's terminfo entry says about the terminal: how many
// colours it has, how its cursor is addressed, what it can show, how to
// switch keypad transmit mode, and which bytes its keys send. Read through
// the low-level terminfo calls only.
#pragma once
#include <string>
#include <utility>
#include <vector>

struct TerminfoEntry {
  bool found = false;
  int colours = 8;          // an entry without `colors` has none: 0
  bool addressing = false;  // cup: the cursor can be put anywhere
  bool ansi_addressing = false;  // ... and in the ANSI form Esc [ row ; column H
  bool rgb = false;         // RGB or Tc: 24-bit colours reach the screen
  bool utf8_no_acs = false; // U8: in UTF-8 mode the line-drawing set is ignored
  bool meta_key = false;    // km: a meta key may set bit 7 of what it sends
  bool underline = false;   // smul
  bool dim = false;         // dim
  std::string acsc;         // the line-drawing set's pairs; empty: absent
  std::string keypad_on;   // smkx: the key strings below hold in this mode
  std::string keypad_off;  // rmkx
  std::vector<std::pair<std::string, int>> keys;  // bytes -> KeyCode
};

// Looks up term (nullptr: $TERM) for the terminal on fd. found is false
// when there is no entry; the rest then keeps its defaults.
TerminfoEntry terminfo_load(int fd, const char* term = nullptr) noexcept;
// The entry of $TERM, loaded once for the whole run (fd is used the first
// time only): the start-up check and the terminal back end share it.
const TerminfoEntry& terminfo_current(int fd) noexcept;
