// What the current TERM's terminfo entry says about the terminal: how many
// colours it has, how to switch keypad transmit mode, and which bytes its
// keys send. Read through the low-level terminfo calls only.
#pragma once
#include <string>
#include <utility>
#include <vector>

struct TerminfoEntry {
  bool found = false;
  int colours = 8;
  std::string keypad_on;   // smkx: the key strings below hold in this mode
  std::string keypad_off;  // rmkx
  std::vector<std::pair<std::string, int>> keys;  // bytes -> KeyCode
};

// Looks up $TERM for the terminal on fd. found is false when there is no
// entry; the rest then keeps its defaults.
TerminfoEntry terminfo_load(int fd) noexcept;
