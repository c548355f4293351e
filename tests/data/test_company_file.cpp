// Saving merges the operator's changes over what the file holds now, and a
// save that fails leaves the file as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "data/company_file.h"
#include "support/test_support.h"

namespace {

std::string text(const SetupRecord& r) { return std::string(reinterpret_cast<const char*>(r.data()), r.size()); }

SetupRecord with(std::initializer_list<std::pair<size_t, uint8_t>> changes) {
  SetupRecord r;
  r.fill('a');
  for (auto [at, value] : changes) r[at] = value;
  return r;
}

TEST(MergeRecord, TheOperatorsChangesOverWhatTheFileHoldsNow) {
  const struct {
    const char* what;
    SetupRecord base, memory, file, written;
  } cases[] = {
      {"nothing changed", with({}), with({}), with({}), with({})},
      {"the operator changed a byte", with({}), with({{5, 'm'}}), with({}), with({{5, 'm'}})},
      {"another program changed one", with({}), with({}), with({{900, 'f'}}), with({{900, 'f'}})},
      {"both, different bytes", with({}), with({{1023, 'm'}}), with({{0, 'f'}}), with({{1023, 'm'}, {0, 'f'}})},
      {"both, one byte: the operator's wins", with({}), with({{5, 'm'}}), with({{5, 'f'}}), with({{5, 'm'}})},
      {"changed and undone is unchanged", with({{7, 'b'}}), with({{7, 'b'}}), with({{7, 'f'}}), with({{7, 'f'}})},
  };
  for (const auto& c : cases) EXPECT_EQ(text(merge_record(c.base, c.memory, c.file)), text(c.written)) << c.what;
}

std::string padded(const char* text) {
  std::string bytes(text);
  bytes.resize(32, '\0');
  return bytes;
}

std::string binary64(double value) {
  SetupRecord r{};
  set_double(r, field::currency_rate_at(0), value);
  return std::string(reinterpret_cast<const char*>(r.data()) + field::currency_rate_at(0).offset, 8);
}

SetupRecord holding(Field f, const std::string& bytes) {
  SetupRecord r;
  r.fill('u');
  std::copy(bytes.begin(), bytes.end(), r.begin() + f.offset);
  return r;
}

// One field changed by both: the file holds one writer's value, never a mix.
TEST(MergeRecord, AFieldChangedByBothIsTheOperatorsWholeAndFlagsMergeBitByBit) {
  const struct {
    const char* what;
    Field field;
    std::string base, memory, file, written;
  } cases[] = {
      {"a heading", field::heading_line(1), padded("Via Verdi 3"), padded("Via Roma 1"), padded("Piazza Garibaldi 5"),
       padded("Via Roma 1")},
      {"a rate", field::currency_rate_at(0), binary64(1.0), binary64(3.0), binary64(1.1), binary64(3.0)},
      {"bit 0 ours, bit 7 theirs", field::option_flags_b, "\x10", "\x11", "\x90", "\x91"},
      {"high digit ours, low digit theirs", element(field::number_formats, 2, 1), "\x12", "\x32", "\x15", "\x35"},
      {"a byte of no field", Field{392, 1}, "b", "b", "f", "f"},
  };
  for (const auto& c : cases) {
    const SetupRecord merged = merge_record(holding(c.field, c.base), holding(c.field, c.memory), holding(c.field, c.file));
    EXPECT_EQ(hex(text(merged)), hex(text(holding(c.field, c.written)))) << c.what;
  }
}

// The real calls, logged; a file-size limit and a failing fsync on demand.
struct Calls {
  static inline std::string log;
  static inline off_t size_limit = -1;
  static inline int fsync_error = 0;
  static ssize_t pread(int fd, void* buffer, size_t size, off_t offset) {
    log += "read ";
    return ::pread(fd, buffer, size, offset);
  }
  static ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) {
    log += "write ";
    if (size_limit >= 0 && offset >= size_limit) return errno = EFBIG, -1;
    if (size_limit >= 0) size = std::min(size, static_cast<size_t>(size_limit - offset));
    return ::pwrite(fd, buffer, size, offset);
  }
  static int fsync(int fd) {
    log += "sync ";
    return fsync_error ? (errno = fsync_error, -1) : ::fsync(fd);
  }
};
constexpr CompanyFileCalls LOGGED = {Calls::pread, Calls::pwrite, Calls::fsync};

TEST(CompanySave, AFailedSaveLeavesTheFileAsItWasAndKeepsTheChangesPending) {
  const std::string record(1024, 'a'), short_file(100, 'a');
  const struct {
    const char* what;
    std::string before;
    off_t size_limit;
    int fsync_error, status;
    const char* log;
  } cases[] = {
      {"saved", record, -1, 0, 0, "read write sync "},
      {"cut short by a size limit", record, 900, 0, EFBIG, "read write write write sync "},
      {"nothing written", record, 0, 0, EFBIG, "read write sync "},
      {"the sync fails", record, -1, EIO, EIO, "read write sync write sync "},
      // read to its end, written up to the limit, then cut back to 100 bytes
      {"a short file keeps its length", short_file, 900, 0, EFBIG, "read read write write write sync "},
  };
  TempDir dir;
  set_company_file_calls(&LOGGED);
  for (const auto& c : cases) {
    dir.write("DITTA.001", c.before);
    ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
    ASSERT_EQ(load_setup_record(), 0);
    setup_record().fill('m');
    Calls::size_limit = c.size_limit;
    Calls::fsync_error = c.fsync_error;
    Calls::log.clear();
    EXPECT_EQ(store_setup_record(), c.status) << c.what;
    EXPECT_EQ(Calls::log, c.log) << c.what;
    EXPECT_EQ(dir.read("DITTA.001"), c.status ? c.before : std::string(1024, 'm')) << c.what;
    Calls::size_limit = -1;
    Calls::fsync_error = 0;
    EXPECT_EQ(store_setup_record(), 0) << c.what;
    EXPECT_EQ(dir.read("DITTA.001"), std::string(1024, 'm')) << c.what << ": the changes are saved next time";
    EXPECT_EQ(text(setup_record()), dir.read("DITTA.001")) << c.what;
    close_company_file();
  }
  set_company_file_calls(nullptr);
}

}  // namespace

namespace {

// Another holder of the record's lock: its descriptor, or -1 when refused.
int take_lock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR);
  flock lock{};
  lock.l_type = F_WRLCK;
  lock.l_len = RECORD_SIZE;
  if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return fd;
  ::close(fd);
  return -1;
}

// What another program does to the file at the path while we run.
void rename_over(TempDir& dir, int&) {
  dir.write("new", std::string(1024, 'n'));
  std::filesystem::rename(dir.file("new"), dir.file("DITTA.001"));
}
void remove_file(TempDir& dir, int&) { std::filesystem::remove(dir.file("DITTA.001")); }
void truncate_file(TempDir& dir, int&) { std::filesystem::resize_file(dir.file("DITTA.001"), 100); }
void link_to_device(TempDir& dir, int&) {
  std::filesystem::remove(dir.file("DITTA.001"));
  std::filesystem::create_symlink("/dev/null", dir.file("DITTA.001"));
}
void rename_over_locked(TempDir& dir, int& holder) {
  rename_over(dir, holder);
  holder = take_lock(dir.file("DITTA.001"));
}

TEST(CompanySave, AReplacedFileGetsTheChangesOrTheSaveFailsWithoutWriting) {
  std::string merged(1024, 'n');
  merged.replace(32, 32, "Via Roma 1" + std::string(22, '\0'));
  const struct {
    const char* what;
    void (*meanwhile)(TempDir&, int&);
    int status;
    const char* reason;
    std::string file_after;  // "" when there is no file
  } cases[] = {
      {"renamed over: merged into the new file", rename_over, 0, "", merged},
      {"removed", remove_file, FILE_REMOVED, "file removed", ""},
      {"truncated", truncate_file, FILE_TRUNCATED, "cut to 100 bytes", std::string(100, 'a')},
      {"replaced by a file another holds", rename_over_locked, REPLACEMENT_IN_USE, "in use", std::string(1024, 'n')},
      {"replaced by a device", link_to_device, REPLACEMENT_NOT_A_FILE, "not a regular file", ""},
  };
  for (const auto& c : cases) {
    TempDir dir;
    dir.write("DITTA.001", std::string(1024, 'a'));
    ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
    ASSERT_EQ(load_setup_record(), 0);
    set_text(setup_record(), field::heading_line(1), "Via Roma 1");
    int holder = -1;
    c.meanwhile(dir, holder);
    EXPECT_EQ(store_setup_record(), c.status) << c.what;
    if (c.status) {
      EXPECT_EQ(save_failure_reason(c.status), c.reason) << c.what;
      EXPECT_LE(save_failure_reason(c.status).size(), 22u) << c.what << ": no room after \"Record not saved: \"";
    }
    const bool exists = std::filesystem::exists(dir.file("DITTA.001"));
    EXPECT_EQ(exists ? dir.read("DITTA.001") : "", c.file_after) << c.what;
    if (c.status == 0) {
      EXPECT_EQ(take_lock(dir.file("DITTA.001")), -1) << c.what << ": the lock moved with the save";
    }
    if (holder >= 0) ::close(holder);
    close_company_file();
  }
}

}  // namespace
