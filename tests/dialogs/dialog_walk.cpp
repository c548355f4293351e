#include "dialogs/dialog_walk.h"

#include <cstring>

namespace {

SetupRecord with(SetupRecord r, const Patches& patches) {
  for (const Patch& p : patches) std::memcpy(r.data() + p.offset, p.bytes.data(), p.bytes.size());
  return r;
}

// The first offset where the two differ, or -1.
int first_difference(const SetupRecord& a, const std::string& b) {
  for (size_t i = 0; i < a.size(); ++i)
    if (i >= b.size() || a[i] != static_cast<uint8_t>(b[i])) return static_cast<int>(i);
  return -1;
}

}  // namespace

Keys repeat(const Keys& k, int times) {
  Keys out;
  for (int i = 0; i < times; ++i) out = out + k;
  return out;
}

Keys text_keys(const std::string& text) { return Keys(text.begin(), text.end()); }

Patch stored_text(Field f, const std::string& text) {
  return {f.offset, text + std::string(static_cast<size_t>(f.size) - text.size(), '\0')};
}

void DialogWalkTest::run_walk(const WalkCase& c, void (*dialog)()) {
  const SetupRecord kept = original;
  original = with(original, c.before);
  reset_record();
  console.bells = 0;
  for (int k : c.keys) console.press(k);
  dialog();
  EXPECT_TRUE(console.keys.empty()) << c.what << ": keys left over";
  const SetupRecord expected = with(original, c.changes);
  EXPECT_EQ(first_difference(expected, bytes(setup_record())), -1) << c.what << ": record byte";
  EXPECT_EQ(file_written(), c.written) << c.what << ": written";
  EXPECT_EQ(first_difference(c.written ? expected : original, file()), -1) << c.what << ": file byte";
  if (c.bells != NOT_COUNTED) {
    EXPECT_EQ(console.bells, c.bells) << c.what << ": bells";
  }
  if (c.hint != NOT_COUNTED) {
    EXPECT_EQ(screen_text(25, 1, 5), ("L" + std::to_string(c.hint) + "   ").substr(0, 5)) << c.what << ": hint";
  }
  original = kept;
}
