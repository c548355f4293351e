#include "data/catalogue.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

constexpr int READ_LIMIT = 30;  // characters per read, as the files expect
constexpr char END_OF_FILE_MARK = 0x1A;

std::vector<std::string> lines;

// DOS text mode: CR LF reads as LF, and Ctrl+Z ends the file.
std::string dos_text(const std::string& raw) {
  std::string text;
  text.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == END_OF_FILE_MARK) break;
    if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += c;
  }
  return text;
}

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
  const std::string text = dos_text(bytes);
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

int load_catalogue(std::FILE* file) {
  std::string bytes;
  char buffer[4096];
  size_t n;
  errno = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  const int status = std::ferror(file) ? (errno ? errno : EIO) : 0;
  load_catalogue_bytes(bytes);
  return status;
}

const char* catalogue_line(int i) noexcept {
  if (i < 0 || i >= static_cast<int>(lines.size())) return "";
  return lines[static_cast<size_t>(i)].c_str();
}

int catalogue_size() noexcept { return static_cast<int>(lines.size()); }
