// setuprec: the setup record and the catalogue from the command line, for
// people who look after many companies' data sets. Built on the data layer
// alone; it never opens a terminal.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/locale_charset.h"
#include "platform/standard_descriptors.h"
#include "setuprec/catalogue_check.h"
#include "setuprec/record_commands.h"

namespace {

constexpr int STATUS_OK = 0, STATUS_FOUND = 1, STATUS_TROUBLE = 2;

constexpr const char* USAGE =
    "usage: setuprec show FILE\n"
    "       setuprec diff FILE1 FILE2\n"
    "       setuprec set FILE NAME=VALUE...\n"
    "       setuprec apply FILE < DUMP\n"
    "       setuprec check-catalogue FILE\n"
    "See setuprec(1).\n";

int usage() {
  std::fputs(USAGE, stderr);
  return STATUS_TROUBLE;
}

int trouble(const std::string& text) {
  std::fprintf(stderr, "setuprec: %s\n", text.c_str());
  return STATUS_TROUBLE;
}

int report_all(const std::vector<std::string>& errors) {
  for (const auto& e : errors) trouble(e);
  return errors.empty() ? STATUS_OK : STATUS_TROUBLE;
}

void print_lines(const std::vector<std::string>& lines) {
  for (const auto& l : lines) std::printf("%s\n", l.c_str());
}

bool load(const char* path, SetupRecord& record) {
  if (int error = read_record_file(path, record)) {
    trouble(std::string("cannot read ") + path + ": " + std::strerror(error));
    return false;
  }
  return true;
}

int show(const char* path, bool utf8) {
  SetupRecord record{};
  if (!load(path, record)) return STATUS_TROUBLE;
  print_lines(show_lines(record, utf8));
  return STATUS_OK;
}

int diff(const char* first, const char* second, bool utf8) {
  SetupRecord a{}, b{};
  if (!load(first, a) || !load(second, b)) return STATUS_TROUBLE;
  const std::vector<std::string> lines = diff_lines(a, b, utf8);
  print_lines(lines);
  return lines.empty() ? STATUS_OK : STATUS_FOUND;
}

int set(const char* path, int count, char** args, bool utf8) {
  std::vector<Assignment> assignments;
  for (int i = 0; i < count; ++i) {
    Assignment a;
    if (!split_assignment(args[i], a)) return trouble(std::string("'") + args[i] + "' is not NAME=VALUE");
    assignments.push_back(a);
  }
  return report_all(update_record_file(path, assignments, utf8));
}

// All of a stream; false when reading it failed.
bool read_all(std::FILE* file, std::string& bytes) {
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  return !std::ferror(file);
}

int apply(const char* path, bool utf8) {
  std::string dump;
  if (!read_all(stdin, dump)) return trouble("cannot read the dump from standard input");
  std::vector<std::string> errors;
  const std::vector<Assignment> assignments = read_dump(dump, errors);
  if (!errors.empty()) return report_all(errors);
  return report_all(update_record_file(path, assignments, utf8));
}

int check_catalogue_file(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return trouble(std::string("cannot read ") + path + ": " + std::strerror(errno));
  std::string bytes;
  const bool read = read_all(file, bytes);
  std::fclose(file);
  if (!read) return trouble(std::string("cannot read ") + path);
  const std::vector<CatalogueProblem> problems = check_catalogue(bytes);
  for (const auto& p : problems) std::printf("%s:%d: %s\n", path, p.line, p.text.c_str());
  return problems.empty() ? STATUS_OK : STATUS_FOUND;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ensure_standard_descriptors()) return STATUS_TROUBLE;
  const bool utf8 = locale_is_utf8();
  const std::string command = argc >= 2 ? argv[1] : "";
  // What these print would vanish into the /dev/null that stands in for it.
  const bool prints = command == "--help" || command == "show" || command == "diff" || command == "check-catalogue";
  if (prints && standard_descriptor_was_closed(STDOUT_FILENO)) return trouble("standard output is closed");
  if (command == "--help") {
    std::fputs(USAGE, stdout);
    return STATUS_OK;
  }
  if (command == "show" && argc == 3) return show(argv[2], utf8);
  if (command == "diff" && argc == 4) return diff(argv[2], argv[3], utf8);
  if (command == "set" && argc >= 4) return set(argv[2], argc - 3, argv + 3, utf8);
  if (command == "apply" && argc == 3) return apply(argv[2], utf8);
  if (command == "check-catalogue" && argc == 3) return check_catalogue_file(argv[2]);
  return usage();
}
