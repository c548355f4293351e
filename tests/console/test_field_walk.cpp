// The walk over a table of fields: where each ending key leads, a field that
// steps back more than one, and an answer refused and offered again. Each
// arrival is logged as the field's index ("<" when stepping back), each
// taken answer as "t" and its index.
#include <gtest/gtest.h>

#include "console/field_walk.h"
#include "console/line_editor.h"
#include "platform/keys.h"
#include "support/test_support.h"

namespace {

using namespace key;

class FieldWalk : public ConsoleTest {
 protected:
  // Three fields; field 2 steps back `last_back` fields; field 1 refuses its
  // first `refusals` answers.
  WalkEnd walk(const std::vector<int>& keys, int last_back, int refusals) {
    for (int k : keys) console.press(k);
    std::vector<WalkField> fields;
    for (int n = 0; n < 3; ++n) {
      WalkField f{1, n + 1, NO_HINT, "<<<", edit_mode::EMPTY_START, 7, [] { return std::string(); },
                  [this, n, refusals] {
                    log += "t" + std::to_string(n) + " ";
                    return n != 1 || refused++ >= refusals;
                  },
                  nullptr};
      f.back = n == 2 ? last_back : 1;
      f.arrive = [this, n](bool forward) { log += std::to_string(n) + (forward ? " " : "< "); };
      fields.push_back(f);
    }
    return walk_fields(fields);
  }
  std::string log;
  int refused = 0;
};

TEST_F(FieldWalk, WhereEachKeyLeads) {
  const struct {
    const char* what;
    std::vector<int> keys;
    int last_back, refusals;
    WalkEnd end;
    const char* log;
  } cases[] = {
      {"every field taken", {ENTER, TAB, DOWN}, 1, 0, WalkEnd::completed, "0 t0 1 t1 2 t2 "},
      {"Esc leaves at once", {ENTER, ESC}, 1, 0, WalkEnd::left, "0 t0 1 "},
      {"Up on the first backs out", {UP}, 1, 0, WalkEnd::backed_out, "0 "},
      {"Up goes back one field, nothing taken", {ENTER, LEFT, ENTER, ENTER, ENTER}, 1, 0, WalkEnd::completed,
       "0 t0 1 0< t0 1 t1 2 t2 "},
      {"a field that steps back two", {ENTER, ENTER, UP, ESC}, 2, 0, WalkEnd::left, "0 t0 1 t1 2 0< "},
      {"stepping back past the first backs out", {ENTER, ENTER, UP}, 3, 0, WalkEnd::backed_out,
       "0 t0 1 t1 2 "},
      {"a refused answer offers the field again", {ENTER, ENTER, ENTER, ENTER}, 1, 1, WalkEnd::completed,
       "0 t0 1 t1 1 t1 2 t2 "},
  };
  for (const auto& c : cases) {
    log.clear();
    refused = 0;
    EXPECT_EQ(walk(c.keys, c.last_back, c.refusals), c.end) << c.what;
    EXPECT_EQ(log, c.log) << c.what;
    EXPECT_TRUE(console.keys.empty()) << c.what;
    console.keys.clear();
  }
}

}  // namespace
