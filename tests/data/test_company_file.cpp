// Saving merges the operator's changes over what the file holds now, and a
// save that fails leaves the file as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "data/company_file.h"
#include "support/test_support.h"

namespace {

SetupRecord filled(uint8_t value) {
  SetupRecord r;
  r.fill(value);
  return r;
}

SetupRecord with(SetupRecord r, size_t at, uint8_t value) {
  r[at] = value;
  return r;
}

std::string text(const SetupRecord& r) { return std::string(reinterpret_cast<const char*>(r.data()), r.size()); }

TEST(MergeRecord, TheOperatorsChangesOverWhatTheFileHoldsNow) {
  const SetupRecord a = filled('a');
  struct Case {
    const char* what;
    SetupRecord base, memory, file, written;
  };
  const Case cases[] = {
      {"nothing changed", a, a, a, a},
      {"the operator changed a byte", a, with(a, 5, 'm'), a, with(a, 5, 'm')},
      {"another program changed a byte", a, a, with(a, 900, 'f'), with(a, 900, 'f')},
      {"both, on different bytes", a, with(a, 5, 'm'), with(a, 900, 'f'), with(with(a, 5, 'm'), 900, 'f')},
      {"both, on the same byte: the operator's wins", a, with(a, 5, 'm'), with(a, 5, 'f'), with(a, 5, 'm')},
      {"the last byte of the record", a, with(a, 1023, 'm'), with(a, 0, 'f'), with(with(a, 1023, 'm'), 0, 'f')},
      {"a change made and undone counts as none", with(a, 7, 'b'), with(a, 7, 'b'), with(a, 7, 'f'),
       with(a, 7, 'f')},
  };
  for (const auto& c : cases) EXPECT_EQ(text(merge_record(c.base, c.memory, c.file)), text(c.written)) << c.what;
}

// Real system calls, logged, with a file-size limit and a failing fsync on
// demand.
struct Calls {
  static inline std::string log;
  static inline off_t size_limit = -1;  // -1: none
  static inline int fsync_error = 0;

  static ssize_t pread(int fd, void* buffer, size_t size, off_t offset) {
    log += "read ";
    return ::pread(fd, buffer, size, offset);
  }
  static ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) {
    log += "write ";
    if (size_limit >= 0 && offset >= size_limit) {
      errno = EFBIG;
      return -1;
    }
    if (size_limit >= 0) size = std::min(size, static_cast<size_t>(size_limit - offset));
    return ::pwrite(fd, buffer, size, offset);
  }
  static int fsync(int fd) {
    log += "sync ";
    if (fsync_error) {
      errno = fsync_error;
      return -1;
    }
    return ::fsync(fd);
  }
};
constexpr CompanyFileCalls LOGGED = {Calls::pread, Calls::pwrite, Calls::fsync};

class CompanySave : public ::testing::Test {
 protected:
  void SetUp() override {
    Calls::log.clear();
    Calls::size_limit = -1;
    Calls::fsync_error = 0;
    set_company_file_calls(&LOGGED);
  }
  void TearDown() override {
    set_company_file_calls(nullptr);
    close_company_file();
  }
  std::string file() const { return dir.read("DITTA.001"); }
  TempDir dir;
};

TEST_F(CompanySave, AnOutsideWriteSurvivesOurSave) {
  dir.write("DITTA.001", text(filled('a')));
  ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
  ASSERT_EQ(load_setup_record(), 0);
  dir.write("DITTA.001", text(with(filled('a'), 900, 'f')));  // the accounting package writes
  setup_record()[5] = 'm';
  Calls::log.clear();
  ASSERT_EQ(store_setup_record(), 0);
  EXPECT_EQ(file(), text(with(with(filled('a'), 5, 'm'), 900, 'f')));
  EXPECT_EQ(text(setup_record()), file()) << "memory holds what the file holds";
  EXPECT_EQ(Calls::log, "read write sync ") << "read again, one write, then synced";
}

TEST_F(CompanySave, AFailedSaveLeavesTheFileAsItWasAndKeepsTheChangesPending) {
  const std::string record = text(filled('a')), short_file(100, 'a');
  struct Case {
    const char* what;
    std::string before;
    off_t size_limit;
    int fsync_error, status;
    const char* log;
  };
  const Case cases[] = {
      {"a write cut short by the size limit", record, 900, 0, EFBIG, "read write write write sync "},
      {"nothing could be written", record, 0, 0, EFBIG, "read write sync "},
      {"the sync fails", record, -1, EIO, EIO, "read write sync write sync "},
      // read to its end, written up to the limit, then cut back to 100 bytes
      {"a short file keeps its length", short_file, 900, 0, EFBIG, "read read write write write sync "},
  };
  for (const auto& c : cases) {
    dir.write("DITTA.001", c.before);
    ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0) << c.what;
    ASSERT_EQ(load_setup_record(), 0) << c.what;
    setup_record().fill('m');
    Calls::size_limit = c.size_limit;
    Calls::fsync_error = c.fsync_error;
    Calls::log.clear();
    EXPECT_EQ(store_setup_record(), c.status) << c.what;
    EXPECT_EQ(Calls::log, c.log) << c.what;
    EXPECT_EQ(file(), c.before) << c.what;

    Calls::size_limit = -1;
    Calls::fsync_error = 0;
    EXPECT_EQ(store_setup_record(), 0) << c.what;
    EXPECT_EQ(file(), text(filled('m'))) << c.what << ": the next save writes the changes";
    close_company_file();
  }
}

}  // namespace
