// Runs a dialog on a scripted key list against the company file and checks
// the record in memory, the file, whether a write happened at all (a save of
// unchanged bytes counts), and the bells.
#pragma once
#include <string>
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

// Bytes laid over a record from an offset: one byte, or a run.
struct Patch {
  Patch(int at, int byte) : offset(at), bytes(1, static_cast<char>(byte)) {}
  Patch(int at, std::string run) : offset(at), bytes(std::move(run)) {}
  int offset;
  std::string bytes;
};
using Patches = std::vector<Patch>;
// A text as its field stores it: the text, then zero bytes to the end.
Patch stored_text(Field f, const std::string& text);

constexpr int NOT_COUNTED = -1;

struct WalkCase {
  const char* what;
  Keys keys;
  Patches changes;  // the record afterwards, over the one before
  bool written;
  int bells = 0;  // NOT_COUNTED where shown record bytes may hold a bell
  Patches before = {};  // the record before, over `original`
  int hint = NOT_COUNTED;  // the catalogue line the status line shows at the end
};

class DialogWalkTest : public DialogTest {
 protected:
  void run_walk(const WalkCase& c, void (*dialog)());
};
