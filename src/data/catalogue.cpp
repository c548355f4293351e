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

// More raw bytes than 260 reads can take (as if every character were a CR LF
// pair), plus one to tell whether a final CR is followed by LF. Reading stops
// there, so an endless or huge file costs no more than a normal one.
constexpr size_t RAW_LIMIT = 2 * CATALOGUE_LINES * READ_LIMIT + 1;

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

int load_catalogue(std::FILE* file) {
  std::string bytes;
  char buffer[4096];
  size_t n;
  errno = 0;
  while (bytes.size() < RAW_LIMIT &&
         (n = std::fread(buffer, 1, std::min(sizeof buffer, RAW_LIMIT - bytes.size()), file)) > 0)
    bytes.append(buffer, n);
  const int status = std::ferror(file) ? (errno ? errno : EIO) : 0;
  load_catalogue_bytes(bytes);
  return status;
}

int load_catalogue_file(const std::string& path) {
  // Without O_NONBLOCK, opening a FIFO would wait for a writer forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno ? errno : EIO;
  struct stat st{};
  // A device such as /dev/zero is read like a file (the read is bounded); a
  // FIFO, socket or directory is refused.
  const int status = fstat(fd, &st) != 0                            ? errno
                     : S_ISREG(st.st_mode) || S_ISCHR(st.st_mode) ? 0
                                                                  : CATALOGUE_NOT_REGULAR;
  std::FILE* file = status == 0 ? fdopen(fd, "r") : nullptr;
  if (!file) {
    ::close(fd);
    return status ? status : (errno ? errno : EIO);
  }
  const int read_status = load_catalogue(file);
  std::fclose(file);
  return read_status;
}

const char* catalogue_line(int i) noexcept {
  if (i < 0 || i >= static_cast<int>(lines.size())) return "";
  return lines[static_cast<size_t>(i)].c_str();
}

int catalogue_size() noexcept { return static_cast<int>(lines.size()); }

int ascii_upper(int c) noexcept { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

bool is_hotkey_mark(const std::string& entry, size_t i) noexcept {
  return entry[i] == HOTKEY_MARK && i + 1 < entry.size();
}

int entry_hotkey(const std::string& entry, int* marks) noexcept {
  int key = 0, count = 0;
  for (size_t i = 0; i < entry.size(); ++i) {
    if (!is_hotkey_mark(entry, i)) continue;
    ++count;
    key = ascii_upper(static_cast<unsigned char>(entry[++i]));
  }
  if (marks) *marks = count;
  return key;
}

std::string entry_label(const std::string& entry) {
  std::string label;
  for (size_t i = 0; i < entry.size(); ++i) {
    if (is_hotkey_mark(entry, i)) ++i;
    label += entry[i];
  }
  return label;
}
