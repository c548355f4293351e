#include "data/catalogue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr int READ_LIMIT = 30;  // characters per read, as the files expect
constexpr char END_OF_FILE_MARK = 0x1A;

static_assert(CATALOGUE_RAW_LIMIT == 2 * CATALOGUE_LINES * READ_LIMIT + 1);

std::vector<std::string> lines;

// One line read with a limit: stops after a newline or after READ_LIMIT
// characters.
std::string next_read(const std::string& text, size_t& pos) {
  const size_t start = pos;
  while (pos < text.size() && pos - start < READ_LIMIT) {
    if (text[pos++] == '\n') break;
  }
  return text.substr(start, pos - start);
}

}  // namespace

void load_catalogue_bytes(const std::string& bytes) {
  lines.clear();
  const std::string text = catalogue_dos_text(bytes);
  size_t pos = 0;
  while (pos < text.size() && lines.size() < CATALOGUE_LINES) {
    std::string read = next_read(text, pos);
    // The read is a C string: it ends at a zero byte, and its last character
    // (normally the newline) is dropped; an empty read drops nothing.
    read.resize(std::strlen(read.c_str()));
    if (!read.empty()) read.pop_back();
    lines.push_back(std::move(read));
  }
}

std::string catalogue_dos_text(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == END_OF_FILE_MARK) break;
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += c;
  }
  return text;
}

int read_catalogue(std::FILE* file, std::string& bytes) {
  bytes.clear();
  char buffer[4096];
  size_t n;
  errno = 0;
  while (bytes.size() < CATALOGUE_RAW_LIMIT &&
         (n = std::fread(buffer, 1, std::min(sizeof buffer, CATALOGUE_RAW_LIMIT - bytes.size()), file)) > 0)
    bytes.append(buffer, n);
  return std::ferror(file) ? (errno ? errno : EIO) : 0;
}

int load_catalogue(std::FILE* file) {
  std::string bytes;
  const int status = read_catalogue(file, bytes);
  load_catalogue_bytes(bytes);
  return status;
}

int open_regular_or_device(const std::string& path, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st{};
  if (fd < 0 || fstat(fd, &st) != 0) {
    error = errno ? errno : EIO;
  } else {
    // A device such as /dev/zero is read like a file (reads are bounded).
    error = S_ISREG(st.st_mode) || S_ISCHR(st.st_mode) ? 0 : CATALOGUE_NOT_REGULAR;
  }
  if (error == 0) return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

int read_catalogue_file(const std::string& path, std::string& bytes) {
  bytes.clear();
  int error = 0;
  const int fd = open_regular_or_device(path, error);
  std::FILE* file = fd >= 0 ? fdopen(fd, "r") : nullptr;
  if (!file) {
    if (fd >= 0) ::close(fd);
    return error ? error : (errno ? errno : EIO);
  }
  const int read_status = read_catalogue(file, bytes);
  std::fclose(file);
  return read_status;
}

int load_catalogue_file(const std::string& path) {
  std::string bytes;
  const int status = read_catalogue_file(path, bytes);
  // An open that failed loads nothing; a read that failed keeps what it read.
  if (status == 0 || !bytes.empty()) load_catalogue_bytes(bytes);
  return status;
}

const char* catalogue_line(int i) noexcept {
  if (i < 0 || i >= static_cast<int>(lines.size())) return "";
  return lines[static_cast<size_t>(i)].c_str();
}

int catalogue_size() noexcept { return static_cast<int>(lines.size()); }
