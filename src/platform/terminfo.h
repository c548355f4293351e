// What the current TERM's terminfo entry says about the terminal: how many
// colours it has, how to switch keypad transmit mode, and which bytes its
// keys send. Read through the low-level terminfo calls only.
#pragma once
#include <string>
#include <utility>
#include <vector>

struct TerminfoEntry {
  bool found = false;
  int colours = 8;          // an entry without `colors` has none: 0
  bool addressing = false;  // cup: the cursor can be put anywhere
  std::string acsc;         // the line-drawing set's pairs; empty: absent
  std::string keypad_on;   // smkx: the key strings below hold in this mode
  std::string keypad_off;  // rmkx
  std::vector<std::pair<std::string, int>> keys;  // bytes -> KeyCode
};

// Looks up $TERM for the terminal on fd. found is false when there is no
// entry; the rest then keeps its defaults.
TerminfoEntry terminfo_load(int fd) noexcept;
// The entry of $TERM, loaded once for the whole run (fd is used the first
// time only): the start-up check and the terminal back end share it.
const TerminfoEntry& terminfo_current(int fd) noexcept;
