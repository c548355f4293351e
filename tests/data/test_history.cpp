// What a save leaves in the history, for each state the history file can be
// found in; and that a file that is not a history is never written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "data/history.h"
#include "support/files.h"

namespace {

using history_layout::ENTRY_SIZE;

SetupRecord filled(uint8_t value) {
  SetupRecord r;
  r.fill(value);
  return r;
}

std::string encoded(uint32_t first, uint32_t count, const SetupRecord& record) {
  std::string bytes;
  for (uint32_t n = first; n < first + count; ++n) {
    HistoryEntry e;
    e.number = n;
    e.record = record;
    const EncodedEntry one = encode_entry(e);
    bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
  }
  return bytes;
}

void write_file(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A regular file's bytes; "" for anything else (a FIFO would block).
std::string contents(const std::string& path) {
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path))) return "";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Expected {
  std::string problem;     // "" when the history was written
  size_t entries;          // whole entries read back afterwards
  uint32_t first, last;    // their numbers
  std::string marks;       // of the entries this save added: F found, S saved
};

TEST(History, WhatASaveLeavesBehind) {
  const SetupRecord old = filled('o'), found = filled('f'), saved = filled('s');
  const std::string garbage(5000, 'g');
  const struct {
    const char* what;
    std::string company;  // folder of the company file; "" for a scratch folder
    std::function<void(const std::string& history)> prepare;
    Expected expected;
  } cases[] = {
      {"first save ever: the record found goes in first", "", [](auto&) {}, {"", 2, 1, 2, "FS"}},
      {"the newest entry is what the save found", "",
       [&](auto& h) { write_file(h, encoded(1, 3, found)); }, {"", 4, 1, 4, "S"}},
      {"a change made outside is entered as found", "",
       [&](auto& h) { write_file(h, encoded(1, 3, old)); }, {"", 5, 1, 5, "FS"}},
      {"a torn tail (a slot the system zeroed, a cut entry) is skipped and overwritten", "",
       [&](auto& h) {
         write_file(h, encoded(1, 2, found) + std::string(ENTRY_SIZE, '\0') + encoded(4, 1, old).substr(0, 700));
       },
       {"", 3, 1, 3, "S"}},
      {"a torn first entry is overwritten", "",
       [&](auto& h) { write_file(h, encoded(1, 1, old).substr(0, 5)); }, {"", 2, 1, 2, "FS"}},
      {"garbage is left alone", "", [&](auto& h) { write_file(h, garbage); },
       {"not a history file", 0, 0, 0, ""}},
      {"whole slots that all fail their checksum are left alone", "",
       [&](auto& h) {
         std::string bytes = encoded(1, 2, found);
         bytes[100] ^= 1;
         bytes[ENTRY_SIZE + 100] ^= 1;
         write_file(h, bytes);
       },
       {"not a history file", 0, 0, 0, ""}},
      {"a folder is left alone", "", [](auto& h) { mkdir(h.c_str(), 0700); }, {"it is a folder", 0, 0, 0, ""}},
      {"a FIFO is left alone", "", [](auto& h) { mkfifo(h.c_str(), 0600); }, {"not a regular file", 0, 0, 0, ""}},
      {"a symbolic link is left alone", "", [](auto& h) { symlink("/dev/null", h.c_str()); },
       {"it is a symbolic link", 0, 0, 0, ""}},
      {"past the bound the newest entries are kept", "",
       [&](auto& h) { write_file(h, encoded(1, HISTORY_KEEP + HISTORY_SLACK, found)); },
       {"", HISTORY_KEEP, HISTORY_SLACK + 2, HISTORY_KEEP + HISTORY_SLACK + 1, "S"}},
      {"a folder we cannot write in", "/sys", [](auto&) {}, {"Permission denied", 0, 0, 0, ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.write("DITTA.001", std::string(1024, 'f'));
    const std::string company = (c.company.empty() ? dir.path : c.company) + "/DITTA.001";
    const std::string history = history_path(company);
    c.prepare(history);
    const std::string before = contents(history);
    const int fd = ::open(dir.file("DITTA.001").c_str(), O_RDONLY);
    set_history_action("test");
    const std::string problem = record_save_in_history(company, fd, found, saved);
    ::close(fd);
    EXPECT_EQ(problem, c.expected.problem);
    EXPECT_EQ(history_problem(), c.expected.problem);
    std::vector<HistoryEntry> entries;
    const std::string unreadable = read_history(history, entries);
    if (!c.expected.problem.empty()) {
      EXPECT_EQ(contents(history), before) << "a history not written is untouched";
      continue;
    }
    ASSERT_EQ(unreadable, "");
    ASSERT_EQ(entries.size(), c.expected.entries);
    EXPECT_EQ(entries.front().number, c.expected.first);
    EXPECT_EQ(entries.back().number, c.expected.last);
    EXPECT_EQ(contents(history).size(), entries.size() * ENTRY_SIZE) << "no cut tail is left";
    std::string marks;
    for (size_t i = entries.size() - c.expected.marks.size(); i < entries.size(); ++i) {
      marks += entries[i].found ? 'F' : 'S';
      EXPECT_EQ(entries[i].record, entries[i].found ? found : saved);
    }
    EXPECT_EQ(marks, c.expected.marks);
    EXPECT_EQ(entries.back().action, "test");
  }
}

TEST(History, ANewHistoryTakesTheCompanyFilesPermissions) {
  const mode_t old_mask = umask(022);
  for (const mode_t mode : {0600, 0664, 0640}) {
    TempDir dir;
    dir.write("DITTA.001", std::string(1024, 'f'));
    chmod(dir.file("DITTA.001").c_str(), mode);
    const int fd = ::open(dir.file("DITTA.001").c_str(), O_RDONLY);
    EXPECT_EQ(record_save_in_history(dir.file("DITTA.001"), fd, filled('f'), filled('s')), "");
    ::close(fd);
    struct stat st{};
    ASSERT_EQ(stat(dir.file("DITTA.001.history").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, mode);
  }
  umask(old_mask);
}

TEST(History, NothingIsWrittenWhenTurnedOffOrWhenTheSaveChangedNothing) {
  TempDir dir;
  dir.write("DITTA.001", std::string(1024, 'f'));
  const int fd = ::open(dir.file("DITTA.001").c_str(), O_RDONLY);
  EXPECT_EQ(record_save_in_history(dir.file("DITTA.001"), fd, filled('f'), filled('f')), "");
  setenv("SETUPEDIT_HISTORY", "0", 1);
  EXPECT_EQ(record_save_in_history(dir.file("DITTA.001"), fd, filled('f'), filled('s')), "");
  unsetenv("SETUPEDIT_HISTORY");
  ::close(fd);
  EXPECT_FALSE(std::filesystem::exists(dir.file("DITTA.001.history")));
}

}  // namespace
