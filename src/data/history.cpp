#include "data/history.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>

using history_layout::ENTRY_SIZE;

namespace {

constexpr off_t ENTRY = ENTRY_SIZE;

struct Note {
  std::string program = "?";
  std::string action;
  uint32_t refers_to = 0;
  bool undo = false;
};
Note note;
std::string problem;

const std::string& user_name() {
  static const std::string name = [] {
    const passwd* pw = getpwuid(getuid());
    return pw && pw->pw_name ? std::string(pw->pw_name) : std::to_string(getuid());
  }();
  return name;
}

const std::string& host_name() {
  static const std::string name = [] {
    char buffer[256] = {};
    return gethostname(buffer, sizeof buffer - 1) == 0 ? std::string(buffer) : std::string("?");
  }();
  return name;
}

std::string reason(int error) {
  if (error == ELOOP) return "it is a symbolic link";
  if (error == EISDIR) return "it is a folder";
  return std::strerror(error ? error : EIO);
}

// A file that is already there is never made ours: only one we create gets
// the company file's permission bits (and, for root, its owner).
int open_or_create(const std::string& path, int company_fd, bool& created) {
  created = false;
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd >= 0 || errno != ENOENT) return fd;
  fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return fd;
  created = true;
  struct stat company{};
  if (fstat(company_fd, &company) == 0) {
    if (fchmod(fd, company.st_mode & 0777) != 0) {
      // the file stays 0600: readable by us, which is all a save needs
    }
    if (geteuid() == 0 && fchown(fd, company.st_uid, company.st_gid) != 0) {
      // as above
    }
  }
  return fd;
}

bool read_at(int fd, uint8_t* into, size_t size, off_t at) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, into + done, size - done, at + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool write_at(int fd, const uint8_t* bytes, size_t size, off_t at) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pwrite(fd, bytes + done, size - done, at + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Where the file's whole entries end, and the newest of them.
struct Tail {
  off_t end = 0;
  std::optional<HistoryEntry> newest;
};

// "" or why the file is not a history. Only the slots after the newest whole
// entry are read back to: those are what a crash can have left.
std::string find_tail(int fd, off_t size, Tail& tail) {
  uint8_t bytes[ENTRY_SIZE];
  const size_t head = static_cast<size_t>(std::min<off_t>(size, ENTRY));
  if (size > 0 && (!read_at(fd, bytes, head, 0) || !starts_like_entry(bytes, head))) return "not a history file";
  for (off_t slot = size / ENTRY - 1; slot >= 0; --slot) {
    HistoryEntry entry;
    if (read_at(fd, bytes, ENTRY_SIZE, slot * ENTRY) && decode_entry(bytes, entry)) {
      tail.end = (slot + 1) * ENTRY;
      tail.newest = entry;
      return "";
    }
  }
  // Nothing whole: a first entry cut short is ours to overwrite, a full slot
  // that fails its checksum may be anything.
  return size < ENTRY ? "" : "not a history file";
}

HistoryEntry new_entry(uint32_t number, const SetupRecord& record, bool found) {
  HistoryEntry e;
  e.number = number;
  e.time = static_cast<int64_t>(std::time(nullptr));
  e.user = user_name();
  e.host = host_name();
  e.program = note.program;
  e.found = found;
  if (!found) {
    e.action = note.action;
    e.refers_to = note.refers_to;
    e.undo = note.undo;
  }
  e.record = record;
  return e;
}

std::vector<uint8_t> encode_all(const std::vector<HistoryEntry>& entries) {
  std::vector<uint8_t> bytes;
  for (const HistoryEntry& e : entries) {
    const EncodedEntry one = encode_entry(e);
    bytes.insert(bytes.end(), one.begin(), one.end());
  }
  return bytes;
}

std::string folder_of(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

void sync_folder(const std::string& path) {
  const int fd = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  if (fsync(fd) != 0) {
    // the rename or creation is done; only its durability is left to the system
  }
  ::close(fd);
}

// The newest entries and the new ones, written beside the history and
// renamed over it. False (the old file untouched) when that cannot be done.
bool rotate(int fd, const std::string& path, const std::vector<HistoryEntry>& added) {
  std::vector<HistoryEntry> kept;
  if (!read_history(path, kept).empty()) return false;
  const size_t room = HISTORY_KEEP - added.size();
  if (kept.size() > room) kept.erase(kept.begin(), kept.end() - static_cast<std::ptrdiff_t>(room));
  kept.insert(kept.end(), added.begin(), added.end());
  const std::vector<uint8_t> bytes = encode_all(kept);
  const std::string fresh = path + ".new";
  const int out = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (out < 0) return false;
  struct stat old{};
  bool done = fstat(fd, &old) == 0 && fchmod(out, old.st_mode & 0777) == 0 &&
              (geteuid() != 0 || fchown(out, old.st_uid, old.st_gid) == 0) &&
              write_at(out, bytes.data(), bytes.size(), 0) && fdatasync(out) == 0;
  ::close(out);
  done = done && ::rename(fresh.c_str(), path.c_str()) == 0;
  if (!done) ::unlink(fresh.c_str());
  if (done) sync_folder(path);
  return done;
}

std::string append(int fd, const Tail& tail, off_t size, const std::vector<HistoryEntry>& added) {
  const std::vector<uint8_t> bytes = encode_all(added);
  const off_t end = tail.end + static_cast<off_t>(bytes.size());
  if (!write_at(fd, bytes.data(), bytes.size(), tail.end)) {
    const std::string why = reason(errno);
    if (ftruncate(fd, std::max(size, tail.end)) != 0) {
      // a cut entry stays behind; readers skip it and the next append overwrites it
    }
    return why;
  }
  // A longer cut tail behind the new entries would read as a whole slot.
  if (size > end && ftruncate(fd, end) != 0) return reason(errno);
  return fdatasync(fd) == 0 || errno == EINVAL ? "" : reason(errno);
}

std::string write_entries(const std::string& path, int company_fd, const SetupRecord& found,
                          const SetupRecord& saved) {
  bool created = false;
  const int fd = open_or_create(path, company_fd, created);
  if (fd < 0) return reason(errno);
  struct stat st{};
  std::string why = fstat(fd, &st) != 0 ? reason(errno) : !S_ISREG(st.st_mode) ? "not a regular file" : "";
  Tail tail;
  if (why.empty()) why = find_tail(fd, st.st_size, tail);
  if (why.empty()) {
    std::vector<HistoryEntry> added;
    uint32_t number = tail.newest ? tail.newest->number + 1 : 1;
    if (!tail.newest || tail.newest->record != found) added.push_back(new_entry(number++, found, true));
    added.push_back(new_entry(number, saved, false));
    const bool full = tail.end / ENTRY + static_cast<off_t>(added.size()) > HISTORY_KEEP + HISTORY_SLACK;
    if (!full || !rotate(fd, path, added)) why = append(fd, tail, st.st_size, added);
  }
  ::close(fd);
  if (created) sync_folder(path);
  return why;
}

}  // namespace

std::string history_path(const std::string& company_path) { return company_path + ".history"; }

bool history_enabled() noexcept {
  const char* value = std::getenv("SETUPEDIT_HISTORY");
  return !value || std::strcmp(value, "0") != 0;
}

void set_history_program(const std::string& name) { note.program = name; }

void set_history_action(const std::string& action, uint32_t refers_to, bool undo) {
  note.action = action;
  note.refers_to = refers_to;
  note.undo = undo;
}

std::string record_save_in_history(const std::string& company_path, int company_fd, const SetupRecord& found,
                                   const SetupRecord& saved) {
  problem.clear();
  if (history_enabled() && (found != saved || note.undo))
    problem = write_entries(history_path(company_path), company_fd, found, saved);
  set_history_action("");
  return problem;
}

const std::string& history_problem() noexcept { return problem; }

std::string read_history(const std::string& path, std::vector<HistoryEntry>& entries) {
  entries.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? "" : reason(errno);
  struct stat st{};
  std::string why = fstat(fd, &st) != 0 ? reason(errno) : !S_ISREG(st.st_mode) ? "not a regular file" : "";
  std::vector<uint8_t> bytes(why.empty() ? static_cast<size_t>(st.st_size) : 0);
  if (why.empty() && !read_at(fd, bytes.data(), bytes.size(), 0)) why = reason(errno);
  ::close(fd);
  if (!why.empty()) return why;
  if (!bytes.empty() && !starts_like_entry(bytes.data(), std::min<size_t>(bytes.size(), ENTRY_SIZE)))
    return "not a history file";
  for (size_t at = 0; at + ENTRY_SIZE <= bytes.size(); at += ENTRY_SIZE) {
    HistoryEntry e;
    if (decode_entry(&bytes[at], e)) entries.push_back(e);
  }
  return "";
}
