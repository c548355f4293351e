#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/catalogue.h"
#include "support/test_support.h"

namespace {

using Lines = std::vector<std::string>;

struct Case {
  const char* what;
  std::string file;
  Lines expected;
};

std::string repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

void expect_catalogue(const Case& c) {
  load_catalogue_bytes(c.file);
  ASSERT_EQ(catalogue_size(), static_cast<int>(c.expected.size())) << c.what;
  for (size_t i = 0; i < c.expected.size(); ++i)
    EXPECT_EQ(catalogue_line(static_cast<int>(i)), c.expected[i]) << c.what << ", line " << i;
}

TEST(Catalogue, LoadingRule) {
  const std::string a29 = repeat('a', 29), b30 = repeat('b', 30);
  const Case cases[] = {
      {"plain lines", "one\ntwo\n", {"one", "two"}},
      {"29 characters load whole", a29 + "\n" + a29 + "\n", {a29, a29}},
      {"a 30th character is lost and the newline becomes an empty line", b30 + "\nnext\n",
       {repeat('b', 29), "", "next"}},
      {"a long line shifts the later indices", repeat('c', 35) + "\nx\n", {repeat('c', 29), "ccccc", "x"}},
      {"last line without newline loses its last character", "one\ntwo", {"one", "tw"}},
      {"CR LF is one newline", "one\r\ntwo\r\n", {"one", "two"}},
      {"a lone CR is a character", "a\rb\n", {"a\rb"}},
      {"Ctrl+Z ends the file", "one\ntwo\n\x1Athree\n", {"one", "two"}},
      {"a line starting with a zero byte is empty and keeps its index", std::string("x\n\0abc\ny\n", 9),
       {"x", "", "y"}},
      {"empty lines keep their indices", "\n\nz\n", {"", "", "z"}},
      {"code page 437 bytes pass through", "Citt\x85\n", {"Citt\x85"}},
  };
  for (const auto& c : cases) expect_catalogue(c);
}

TEST(Catalogue, AtMost260Lines) {
  std::string file;
  for (int i = 0; i < 300; ++i) file += "line" + std::to_string(i) + "\n";
  load_catalogue_bytes(file);
  EXPECT_EQ(catalogue_size(), 260);
  EXPECT_STREQ(catalogue_line(259), "line259");
  EXPECT_STREQ(catalogue_line(260), "");
}

TEST(Catalogue, MissingAndOutOfRangeLinesAreEmpty) {
  load_catalogue_bytes("title\n");
  EXPECT_STREQ(catalogue_line(0), "title");
  for (int i : {1, 13, 259, 260, -1, 100000}) EXPECT_STREQ(catalogue_line(i), "") << i;
}

// Reading stops early, but never before the last line the rule can load.
TEST(Catalogue, AFileLoadsWhatItsWholeBytesWould) {
  std::string long_lines, split_lines;
  for (int i = 0; i < 300; ++i) long_lines += repeat(static_cast<char>('A' + i % 26), 29) + "\r\n";
  for (int i = 0; i < 300; ++i) split_lines += repeat('s', 59) + "\r\n";
  TempDir dir;
  for (const std::string& file : {long_lines, split_lines, repeat('x', 100000)}) {
    load_catalogue_bytes(file);
    std::vector<std::string> whole;
    for (int i = 0; i < catalogue_size(); ++i) whole.emplace_back(catalogue_line(i));
    dir.write("VELTRIS.ENG", file);
    ASSERT_EQ(load_catalogue_file(dir.file("VELTRIS.ENG")), 0);
    for (int i = 0; i < CATALOGUE_LINES; ++i) EXPECT_EQ(catalogue_line(i), whole.at(static_cast<size_t>(i))) << i;
  }
}

// A pop-up entry's marks: the hotkey (the last mark counts, a letter as its
// capital), how many there are, and the entry as a title shows it.
TEST(Catalogue, HotkeyMarks) {
  const struct {
    const char* entry;
    int hotkey, marks;
    const char* label;
  } cases[] = {
      {"Menus, &dialogs", 'D', 1, "Menus, dialogs"},
      {"&Col&our", 'O', 2, "Colour"},
      {"Plain", 0, 0, "Plain"},
      {"Ends in &", 0, 0, "Ends in &"},
      {"A && B", '&', 1, "A & B"},
      {"&\x82t\xe9", 0x82, 1, "\x82t\xe9"},
  };
  for (const auto& c : cases) {
    const std::string entry = c.entry;
    int marks = -1;
    EXPECT_EQ(entry_hotkey(entry, &marks), c.hotkey) << c.entry;
    EXPECT_EQ(marks, c.marks) << c.entry;
    EXPECT_EQ(entry_label(entry), c.label) << c.entry;
  }
}

}  // namespace
