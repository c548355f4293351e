// Runs a dialog on a scripted key list against the company file and checks
// the record in memory, the file, whether a write happened at all, and the
// bells. A write is seen by the file's modification time, which each run
// sets back to the epoch first, so a save of unchanged bytes still counts.
#pragma once
#include <utility>
#include <vector>

#include "support/test_support.h"

template <class T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

using Keys = std::vector<int>;
Keys repeat(const Keys& k, int times);
Keys text_keys(const std::string& text);

using ByteChanges = std::vector<std::pair<int, int>>;  // {offset, byte}

struct WalkCase {
  const char* what;
  Keys keys;
  ByteChanges changes;  // the record afterwards, over the one before
  bool written;
  int bells = 0;
  ByteChanges before = {};  // the record before, over `original`
};

class DialogWalkTest : public DialogTest {
 protected:
  void run_walk(const WalkCase& c, void (*dialog)());
  bool file_written() const;
};
