// Record transfer on a plain descriptor: a save must know how many bytes
// reached the file, so that a write cut short (a full disk, a file-size
// limit) can be undone instead of leaving a record half new, half old.
#include "data/company_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "data/history.h"

namespace {

constexpr CompanyFileCalls SYSTEM_CALLS = {::pread, ::pwrite, ::fsync};
const CompanyFileCalls* calls = &SYSTEM_CALLS;
volatile int company_fd = -1;
std::string company_path;  // the history lives beside it
SetupRecord base{};  // the record as last read or saved
pid_t lock_holder = 0;

flock record_lock() {
  flock lock{};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = RECORD_SIZE;
  return lock;
}

// 0, or EAGAIN with lock_holder set when another process holds the record.
// A file system without locks is no reason to refuse: the merging save
// still keeps other writers' bytes.
int lock_record(int fd) {
  flock lock = record_lock();
  if (fcntl(fd, F_SETLK, &lock) == 0 || (errno != EACCES && errno != EAGAIN)) return 0;
  flock probe = record_lock();
  if (fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) lock_holder = probe.l_pid;
  return EAGAIN;
}

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
  lock_holder = 0;
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);  // not inherited by the help command
  if (fd < 0) return errno ? errno : EIO;
  if (int status = lock_record(fd)) {
    ::close(fd);
    return status;
  }
  company_fd = fd;
  company_path = path;
  if (int status = read_now(base)) {
    close_company_file();
    return status;
  }
  return 0;
}

pid_t company_file_lock_holder() noexcept { return lock_holder; }

int load_setup_record() noexcept {
  if (company_fd < 0) return EBADF;
  if (int status = read_now(setup_record())) return status;
  base = setup_record();
  return 0;
}

int store_setup_record() noexcept {
  if (company_fd < 0) return EBADF;
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

SetupRecord merge_record(const SetupRecord& base, const SetupRecord& memory,
                         const SetupRecord& file) noexcept {
  SetupRecord out;
  for (size_t i = 0; i < out.size(); ++i) out[i] = memory[i] != base[i] ? memory[i] : file[i];
  return out;
}

void set_company_file_calls(const CompanyFileCalls* replacement) noexcept {
  calls = replacement ? replacement : &SYSTEM_CALLS;
}
