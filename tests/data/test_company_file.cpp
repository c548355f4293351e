// Saving merges the operator's changes over what the file holds now, and a
// save that fails leaves the file as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

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
