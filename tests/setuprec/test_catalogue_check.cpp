// check-catalogue over a sound catalogue with one fault put in at a time.
#include <gtest/gtest.h>

#include <map>

#include "setuprec/catalogue_check.h"

namespace {

// 139 lines the editor accepts: menu items with distinct capitals, pop-ups
// with one '&' each and distinct hotkeys, the separator.
std::vector<std::string> sound_lines() {
  std::vector<std::string> lines(139);
  const std::map<int, std::string> texts = {
      {0, "Company file setup"}, {1, "Headings"},    {2, "Printers"},    {3, "Options"},
      {4, "Setup file"},         {5, "Digit rows"},  {6, "Reserved"},    {7, "Exchange"},
      {8, "Values"},             {9, "Flags"},       {10, "Auxiliary"},  {11, "Colours"},
      {12, "Maintenance"},       {79, "&Mono"},      {80, "&Colour"},    {81, "~"},
      {82, "&Dialogs"},          {83, "&Window"},    {84, "&Ledger"},    {85, "&Screen"},
      {106, "&Names"},           {107, "&Codes"},    {108, "&Parameters"}, {116, "&Heading lines"},
      {117, "&Options"},         {118, "&Setup file"},
  };
  for (const auto& [i, t] : texts) lines[static_cast<size_t>(i)] = t;
  return lines;
}

std::string file_of(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

std::string describe(const std::vector<CatalogueProblem>& problems) {
  std::string out;
  for (const auto& p : problems) out += "\n  " + std::to_string(p.line) + ": " + p.text;
  return out;
}

std::vector<std::string> first_lines(int count) {
  std::vector<std::string> lines = sound_lines();
  lines.resize(static_cast<size_t>(count));
  return lines;
}

TEST(CheckCatalogue, SoundCatalogueHasNoProblem) {
  const auto problems = check_catalogue(file_of(sound_lines()));
  EXPECT_TRUE(problems.empty()) << describe(problems);
  std::string dos = file_of(sound_lines());
  for (size_t at = dos.find('\n'); at != std::string::npos; at = dos.find('\n', at + 2)) dos.insert(at, "\r");
  EXPECT_TRUE(check_catalogue(dos + "\x1a" + "after the end mark, never read").empty());
}

TEST(CheckCatalogue, EachFaultIsReportedOnItsLine) {
  const struct {
    const char* fault;
    int index;
    std::string text;
    int line;
    const char* problem;
  } cases[] = {
      {"30 characters", 20, std::string(30, 'x'), 21, "30 characters, at most 29: the loader reads this line as 2"},
      {"90 characters", 20, std::string(90, 'x'), 21, "as 4 lines and every later line moves down 3"},
      {"entry without &", 107, "Codes", 108, "has no '&'"},
      {"entry with two &", 80, "&Col&our", 81, "2 '&' marks"},
      {"trailing & is no mark", 117, "Options&", 118, "has no '&'"},
      {"hotkey twice in a pop-up", 83, "&dialogs 2", 84, "hotkey 'D' is also the hotkey of line 83"},
      {"entry taken for a separator", 84, "~&Ledger", 85, "shows as a separator"},
      {"separator without ~", 81, "-----", 82, "separator line must start with '~'"},
      {"menu item in lower case", 5, "digit rows", 6, "'d': no key reaches it"},
      {"menu item starting with a digit", 7, "1 Exchange", 8, "'1': no key reaches it"},
      {"empty menu item", 9, "", 10, "starts with nothing"},
      {"menu item letter taken", 10, "Options B", 11, "like line 4"},
      {"control byte", 30, "Tab\there", 31, "byte 0x09"},
      {"UTF-8 text", 22, "Citt\xc3\xa0", 23, "UTF-8"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = sound_lines();
    lines[static_cast<size_t>(c.index)] = c.text;
    const auto problems = check_catalogue(file_of(lines));
    ASSERT_EQ(problems.size(), 1u) << c.fault << describe(problems);
    EXPECT_EQ(problems[0].line, c.line) << c.fault;
    EXPECT_NE(problems[0].text.find(c.problem), std::string::npos) << c.fault << ": " << problems[0].text;
  }
}

TEST(CheckCatalogue, LineCountAndTheLastNewline) {
  const struct {
    const char* fault;
    std::string bytes;
    int line;
    const char* problem;
  } cases[] = {
      {"short file", file_of(first_lines(120)), 121,
       "ends after 120 lines"},
      {"no last newline", file_of(sound_lines()) + "extra", 140, "last line has no newline"},
      {"over 260 lines", file_of(sound_lines()) + std::string(122, '\n'), 261, "after 260 are never loaded"},
  };
  for (const auto& c : cases) {
    const auto problems = check_catalogue(c.bytes);
    ASSERT_EQ(problems.size(), 1u) << c.fault << describe(problems);
    EXPECT_EQ(problems[0].line, c.line) << c.fault;
    EXPECT_NE(problems[0].text.find(c.problem), std::string::npos) << c.fault << ": " << problems[0].text;
  }
}

}  // namespace
