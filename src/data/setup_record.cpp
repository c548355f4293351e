// Accessors and record transfer. Everything is bounds-checked against the
// field: a text never runs past its field, stored or read.
#include "data/setup_record.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

SetupRecord& setup_record() noexcept {
  static SetupRecord record{};
  return record;
}

std::string get_text(const SetupRecord& r, Field f) {
  const auto* begin = r.data() + f.offset;
  const auto* end = std::find(begin, begin + f.size, uint8_t{0});
  return std::string(begin, end);
}

void set_text(SetupRecord& r, Field f, const std::string& text) {
  const size_t n = std::min<size_t>(text.size(), static_cast<size_t>(f.size));
  std::memcpy(r.data() + f.offset, text.data(), n);
  std::fill(r.data() + f.offset + n, r.data() + f.offset + f.size, uint8_t{0});
}

uint8_t get_byte(const SetupRecord& r, Field f, int index) noexcept {
  if (index < 0 || index >= f.size) return 0;
  return r[static_cast<size_t>(f.offset + index)];
}

void set_byte(SetupRecord& r, Field f, int index, uint8_t value) noexcept {
  if (index < 0 || index >= f.size) return;
  r[static_cast<size_t>(f.offset + index)] = value;
}

double get_double(const SetupRecord& r, Field f) noexcept {
  if (f.size < 8) return 0.0;
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | r[static_cast<size_t>(f.offset + i)];
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void set_double(SetupRecord& r, Field f, double value) noexcept {
  if (f.size < 8) return;
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) r[static_cast<size_t>(f.offset + i)] = static_cast<uint8_t>(bits >> (8 * i));
}

uint8_t palette_attr(const SetupRecord& r, int k) noexcept {
  if (k < slot::FIRST || k > slot::LAST) return 0;
  return r[static_cast<size_t>(886 + k)];
}

int read_record(std::FILE* file, uint8_t* buffer, int index, int size) noexcept {
  if (std::fseek(file, static_cast<long>(index) * size, SEEK_SET) != 0) return errno ? errno : EIO;
  errno = 0;  // so that the reason of a failed read (a folder, say) is kept
  const size_t wanted = static_cast<size_t>(size);
  if (std::fread(buffer, 1, wanted, file) < wanted && std::ferror(file)) {
    const int status = errno ? errno : EIO;
    std::clearerr(file);
    return status;
  }
  std::clearerr(file);  // end of a short file: the rest keeps its zero bytes
  return 0;
}
