// Random catalogue files: whatever the bytes, the catalogue keeps the shape
// every screen relies on (at most 260 lines of at most 29 characters, none
// holding a newline), and reading through a file gives the same lines as
// reading the bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/catalogue.h"

namespace {

void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "catalogue: %s\n", what);
  std::abort();
}

std::vector<std::string> loaded() {
  std::vector<std::string> out;
  for (int i = 0; i < catalogue_size(); ++i) out.emplace_back(catalogue_line(i));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  load_catalogue_bytes(bytes);
  require(catalogue_size() >= 0 && catalogue_size() <= CATALOGUE_LINES, "too many lines");
  const std::vector<std::string> from_bytes = loaded();
  for (const auto& line : from_bytes) {
    require(line.size() <= 29, "a line over 29 characters");
    require(line.find('\n') == std::string::npos, "a newline inside a line");
  }
  require(catalogue_line(-1)[0] == '\0' && catalogue_line(CATALOGUE_LINES)[0] == '\0', "a line outside 0..259");

  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size ? size : 1, "rb");
  if (!file) return 0;
  if (size == 0) std::fgetc(file);  // fmemopen wants a size: read the one byte away
  require(load_catalogue(file) == 0, "a memory file failed to read");
  std::fclose(file);
  require(loaded() == from_bytes, "file and bytes read differently");
  return 0;
}
