// Record transfer on a plain descriptor: a save must know how many bytes
// reached the file, so that a write cut short (a full disk, a file-size
// limit) can be undone instead of leaving a record half new, half old.
#include "data/company_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "data/history.h"
#include "data/record_lock.h"

namespace {

constexpr CompanyFileCalls SYSTEM_CALLS = {::pread, ::pwrite, ::fsync};
const CompanyFileCalls* calls = &SYSTEM_CALLS;
volatile int company_fd = -1;
std::string company_path;  // saves follow it; the history lives beside it
SetupRecord base{};     // the record as last read or saved
off_t known_size = -1;  // the file's length then (-1: not a regular file)
off_t truncated_size = 0;
pid_t lock_holder = 0;

// Record 0 as the file holds it now; a short file reads zero-filled.
int read_now(SetupRecord& into) {
  into.fill(0);
  size_t done = 0;
  while (done < into.size()) {
    const ssize_t n = calls->pread(company_fd, into.data() + done, into.size() - done, static_cast<off_t>(done));
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno ? errno : EIO;
    done += static_cast<size_t>(n);
  }
  return 0;
}

// Writes bytes[0, size) at the start of the file; reached counts what got there.
int write_from_start(const uint8_t* bytes, size_t size, size_t& reached) {
  reached = 0;
  while (reached < size) {
    const ssize_t n = calls->pwrite(company_fd, bytes + reached, size - reached, static_cast<off_t>(reached));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 && errno ? errno : EIO;
    reached += static_cast<size_t>(n);
  }
  return 0;
}

int sync_file() {
  if (calls->fsync(company_fd) == 0 || errno == EINVAL || errno == EROFS) return 0;  // devices cannot sync
  return errno ? errno : EIO;
}

// -1 for anything but a regular file, whose length we never change.
off_t regular_file_size() {
  struct stat st{};
  return fstat(company_fd, &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : -1;
}

// The file at the path is the one we hold, or one that replaced it, which
// is opened and locked in its place.
int follow_path() {
  struct stat held{}, at_path{};
  if (fstat(company_fd, &held) != 0) return errno;
  if (!S_ISREG(held.st_mode)) return 0;  // a device is not replaced by a rename
  if (stat(company_path.c_str(), &at_path) != 0) return errno == ENOENT ? FILE_REMOVED : errno;
  if (at_path.st_dev == held.st_dev && at_path.st_ino == held.st_ino && held.st_nlink > 0) return 0;
  // No blocking on a FIFO or a line put there, and no saving into a device.
  const int fd = ::open(company_path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? FILE_REMOVED : errno;
  struct stat opened{};
  if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    ::close(fd);
    return REPLACEMENT_NOT_A_FILE;
  }
  if (lock_record(fd, &lock_holder) != 0) {
    ::close(fd);
    return REPLACEMENT_IN_USE;
  }
  ::close(company_fd);
  company_fd = fd;
  return 0;
}

// A record cut short meanwhile is not filled up with zeros by our save.
int check_length() {
  const off_t size = regular_file_size();
  if (size < 0 || size >= std::min<off_t>(known_size, RECORD_SIZE)) return 0;
  truncated_size = size;
  return FILE_TRUNCATED;
}

// After a failed save: what reached the file goes back to what it held, and
// a short file we lengthened gets its length back.
void put_back(const SetupRecord& was, size_t reached, off_t size_before) {
  size_t again = 0;
  write_from_start(was.data(), reached, again);
  if (size_before >= 0 && static_cast<size_t>(size_before) < reached &&
      ftruncate(company_fd, size_before) != 0) {
    // nothing more we can do; the save is reported as failed anyway
  }
  sync_file();
}

}  // namespace

int open_company_file(const std::string& path) noexcept {
  close_company_file();
  company_path = path;
  lock_holder = 0;
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);  // not inherited by the help command
  if (fd < 0) return errno ? errno : EIO;
  if (int status = lock_record(fd, &lock_holder)) {
    ::close(fd);
    return status;
  }
  company_fd = fd;
  if (int status = read_now(base)) {
    close_company_file();
    return status;
  }
  known_size = regular_file_size();
  return 0;
}

pid_t company_file_lock_holder() noexcept { return lock_holder; }

int load_setup_record() noexcept {
  if (company_fd < 0) return EBADF;
  if (int status = read_now(setup_record())) return status;
  base = setup_record();
  known_size = regular_file_size();
  return 0;
}

int store_setup_record() noexcept {
  if (company_fd < 0) return EBADF;
  if (int status = follow_path()) return status;
  if (int status = check_length()) return status;
  SetupRecord now;
  if (int status = read_now(now)) return status;
  const off_t size_before = regular_file_size();
  SetupRecord& memory = setup_record();
  memory = merge_record(base, memory, now);
  size_t reached = 0;
  int status = write_from_start(memory.data(), memory.size(), reached);
  if (status == 0 && (status = sync_file()) != 0) reached = memory.size();
  if (status != 0) {
    put_back(now, reached, size_before);
    base = now;  // what differs from the file now is still to be saved
    return status;
  }
  base = memory;
  known_size = regular_file_size();
  record_save_in_history(company_path, company_fd, now, memory);
  return 0;
}

void close_company_file() noexcept {
  const int fd = company_fd;
  if (fd < 0) return;
  company_fd = -1;
  ::close(fd);
}

void close_company_file_from_signal() noexcept {
  const int fd = company_fd;
  if (fd >= 0) ::close(fd);
}

bool company_file_open() noexcept { return company_fd >= 0; }

std::string save_failure_reason(int status) {
  switch (status) {
    case FILE_REMOVED: return "file removed";
    case FILE_TRUNCATED: return "cut to " + std::to_string(truncated_size) + " bytes";
    case REPLACEMENT_NOT_A_FILE: return "not a regular file";  // fits the status line
    case REPLACEMENT_IN_USE: return lock_holder > 0 ? "in use by " + std::to_string(lock_holder) : "in use";
    case ENOSPC: return "disk full";
    case EFBIG: return "file too large";
    case EDQUOT: return "disk quota full";
    default: return std::strerror(status);
  }
}

void set_company_file_calls(const CompanyFileCalls* replacement) noexcept {
  calls = replacement ? replacement : &SYSTEM_CALLS;
}
