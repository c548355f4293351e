// What undo takes back as the history grows, and which names are entries.
#include <gtest/gtest.h>

#include <sstream>

#include "setuprec/history_commands.h"
#include "support/files.h"

namespace {

// "F1 S2 U3:2 R4:1": found, save, undo (of), restore (of), by number.
std::vector<HistoryEntry> history(const std::string& text) {
  std::vector<HistoryEntry> entries;
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    HistoryEntry e;
    e.found = word[0] == 'F';
    e.undo = word[0] == 'U';
    const size_t colon = word.find(':');
    e.number = static_cast<uint32_t>(std::stoul(word.substr(1, colon)));
    if (colon != std::string::npos) e.refers_to = static_cast<uint32_t>(std::stoul(word.substr(colon + 1)));
    entries.push_back(e);
  }
  return entries;
}

TEST(UndoTarget, TheNewestSaveNotYetTakenBack) {
  const struct {
    const char* entries;
    int save, before;  // numbers; 0 when refused
  } cases[] = {
      {"F1 S2 S3", 3, 2},
      {"F1 S2 S3 U4:3", 2, 1},
      {"F1 S2 S3 U4:3 U5:2", 0, 0},
      {"F1 S2 U3:2 R4:1", 4, 3},
      {"F1 S2 S3 U4:3 S5", 5, 4},
      {"F1 S2 F3 S4 U5:4", 2, 1},
      {"S5 U6:5", 0, 0},  // the record before 5 was dropped
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    const std::vector<HistoryEntry> entries = history(c.entries);
    int save = -1, before = -1;
    const std::string why = undo_target(entries, save, before);
    if (c.save == 0) {
      EXPECT_NE(why, "") << c.entries;
      continue;
    }
    ASSERT_EQ(why, "") << c.entries;
    EXPECT_EQ(entries[static_cast<size_t>(save)].number, static_cast<uint32_t>(c.save)) << c.entries;
    EXPECT_EQ(entries[static_cast<size_t>(before)].number, static_cast<uint32_t>(c.before)) << c.entries;
  }
}

TEST(EntryName, FileAtNumberUnlessAFileHasThatName) {
  TempDir dir;
  dir.write("x@3", "");
  const struct {
    std::string arg;
    bool entry;
    std::string path;
    uint32_t number;
  } cases[] = {
      {"DITTA.001@3", true, "DITTA.001", 3},  {"a/b@c/DITTA.001@12", true, "a/b@c/DITTA.001", 12},
      {"DITTA.001", false, "", 0},            {"@3", false, "", 0},
      {"DITTA.001@", false, "", 0},           {"DITTA.001@3x", false, "", 0},
      {"DITTA.001@99999999999", false, "", 0}, {dir.file("x@3"), false, "", 0},
  };
  for (const auto& c : cases) {
    std::string path;
    uint32_t number = 0;
    EXPECT_EQ(split_entry_name(c.arg, path, number), c.entry) << c.arg;
    EXPECT_EQ(std::make_pair(path, number), std::make_pair(c.path, c.number)) << c.arg;
  }
}

}  // namespace
