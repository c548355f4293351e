// What setuprec reads, with the editor's bounds: no input hangs it, grows it
// without limit, or passes for a whole record when it is not one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "data/catalogue.h"
#include "setuprec/inputs.h"
#include "setuprec/record_commands.h"
#include "support/files.h"

namespace {

using Reader = std::function<std::string(const std::string&)>;

std::string record(const std::string& name) {
  SetupRecord r{};
  return read_record_input(name, r);
}

std::string dump(const std::string& name) {
  std::string bytes;
  return read_dump_input(name, bytes);
}

std::string catalogue(const std::string& name) {
  std::string bytes;
  bool cut = false;
  const std::string error = read_catalogue_input(name, bytes, cut);
  if (!error.empty()) return error;
  return bytes.size() <= CATALOGUE_RAW_LIMIT && cut == (bytes.size() == CATALOGUE_RAW_LIMIT) ? "" : "unbounded";
}

TEST(SetuprecInputs, EachReadStopsAtItsBound) {
  TempDir dir;
  dir.write("short", std::string(RECORD_SIZE - 1, 'x'));
  dir.write("whole", std::string(RECORD_SIZE, 'x'));
  dir.write("dump", std::string(DUMP_LIMIT, '\n'));
  dir.write("big_dump", std::string(DUMP_LIMIT + 1, '\n'));
  ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0600), 0);
  const struct {
    const char* what;
    Reader read;
    std::string name;
    std::string error;  // its start; empty: read
  } cases[] = {
      {"record", record, dir.file("whole"), ""},
      {"record", record, "/dev/zero", ""},
      {"record", record, dir.file("short"), "a file of 1023 bytes;"},
      {"record", record, dir.file("fifo"), "not a regular file"},  // refused without waiting for a writer
      {"record", record, dir.path, "not a regular file"},
      {"record", record, dir.file("none"), "No such file"},
      {"update", record_file_unfit, dir.file("short"), "a file of 1023 bytes;"},
      {"update", record_file_unfit, "/dev/zero", "not a regular file"},
      {"update", check_record_file, dir.file("fifo"), "not a regular file"},
      {"update", check_record_file, dir.file("whole"), ""},
      {"dump", dump, dir.file("dump"), ""},
      {"dump", dump, dir.file("big_dump"), "more than 1048576 bytes"},
      {"dump", dump, "/dev/zero", "more than 1048576 bytes"},
      {"catalogue", catalogue, "/dev/zero", ""},
      {"catalogue", catalogue, dir.file("big_dump"), ""},
      {"catalogue", catalogue, dir.file("fifo"), "not a regular file"},
  };
  for (const auto& c : cases) {
    const std::string error = c.read(c.name);
    EXPECT_TRUE(c.error.empty() ? error.empty() : error.rfind(c.error, 0) == 0)
        << c.what << " " << c.name << ": " << error;
  }
}

}  // namespace
