#include "setuprec/inputs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/catalogue.h"
#include "platform/printable_name.h"

namespace {

std::string reason(int error) {
  return error == CATALOGUE_NOT_REGULAR ? "not a regular file" : std::strerror(error ? error : EIO);
}

std::string too_short(long long size) {
  return "a file of " + std::to_string(size) + " bytes; a company file holds at least the " +
         std::to_string(RECORD_SIZE) + "-byte setup record";
}

// Up to limit bytes from fd; 0 or an errno value.
int read_up_to(int fd, size_t limit, std::string& bytes) {
  char buffer[65536];
  while (bytes.size() < limit) {
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n == 0) return 0;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno ? errno : EIO;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return 0;
}

}  // namespace

std::string input_name(const std::string& name) { return name == "-" ? "(standard input)" : printable_name(name); }

std::string read_record_input(const std::string& name, SetupRecord& record) {
  int error = 0;
  const int fd = name == "-" ? STDIN_FILENO : open_regular_or_device(name, error);
  if (fd < 0) return reason(error);
  std::string bytes;
  error = read_up_to(fd, RECORD_SIZE, bytes);
  if (fd != STDIN_FILENO) ::close(fd);
  if (error) return reason(error);
  if (bytes.size() < RECORD_SIZE) return too_short(static_cast<long long>(bytes.size()));
  std::memcpy(record.data(), bytes.data(), RECORD_SIZE);
  return "";
}

std::string read_catalogue_input(const std::string& name, std::string& bytes, bool& bytes_cut) {
  const int error = name == "-" ? read_catalogue(stdin, bytes) : read_catalogue_file(name, bytes);
  bytes_cut = bytes.size() >= CATALOGUE_RAW_LIMIT;
  return error ? reason(error) : "";
}

std::string read_dump_input(const std::string& name, std::string& bytes) {
  // A named pipe is a fine source of a dump (`<(setuprec show ...)`): the
  // bound keeps an endless one from costing more than a megabyte.
  const int fd = name == "-" ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return reason(errno);
  const int error = read_up_to(fd, DUMP_LIMIT + 1, bytes);
  if (fd != STDIN_FILENO) ::close(fd);
  if (error) return reason(error);
  if (bytes.size() > DUMP_LIMIT)
    return "more than " + std::to_string(DUMP_LIMIT) + " bytes; a dump of every field is far smaller";
  return "";
}

std::string record_file_unfit(const std::string& path) {
  struct stat st{};
  if (stat(path.c_str(), &st) != 0) return reason(errno);
  if (!S_ISREG(st.st_mode)) return reason(CATALOGUE_NOT_REGULAR);
  if (st.st_size < RECORD_SIZE) return too_short(static_cast<long long>(st.st_size));
  return "";
}
