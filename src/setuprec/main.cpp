// setuprec: the setup record and the catalogue from the command line, for
// people who look after many companies' data sets. Built on the data layer
// alone; it never opens a terminal.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/locale_charset.h"
#include "data/field_changes.h"
#include "data/history.h"
#include "setuprec/catalogue_check.h"
#include "setuprec/history_commands.h"
#include "setuprec/record_commands.h"

namespace {

constexpr int STATUS_OK = 0, STATUS_FOUND = 1, STATUS_TROUBLE = 2;

constexpr const char* USAGE =
    "usage: setuprec show FILE\n"
    "       setuprec diff FILE1 FILE2\n"
    "       setuprec set FILE NAME=VALUE...\n"
    "       setuprec apply FILE < DUMP\n"
    "       setuprec log [--json] FILE\n"
    "       setuprec restore FILE N\n"
    "       setuprec undo FILE\n"
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

// A company file, or FILE@N: entry N of its history.
bool load(const char* name, SetupRecord& record) {
  const std::string why = read_record_or_entry(name, record);
  if (!why.empty()) trouble(why);
  return why.empty();
}

// After a write: refusals and failures, or a saved record whose history was
// not written (said, but the save stands).
int report_write(const std::vector<std::string>& errors) {
  if (errors.empty() && !history_problem().empty()) trouble("saved, history not written: " + history_problem());
  return report_all(errors);
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
  set_history_action("set");
  return report_write(update_record_file(path, assignments, utf8));
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
  set_history_action("apply");
  return report_write(update_record_file(path, assignments, utf8));
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

bool load_history(const char* path, std::vector<HistoryEntry>& entries) {
  const std::string history = history_path(path);
  const std::string why = read_history(history, entries);
  if (!why.empty()) trouble(history + ": " + why);
  return why.empty();
}

int show_log(const char* path, bool json) {
  std::vector<HistoryEntry> entries;
  if (!load_history(path, entries)) return STATUS_TROUBLE;
  if (json) {
    std::fputs(log_json(entries).c_str(), stdout);
  } else {
    print_lines(log_lines(entries));
  }
  return STATUS_OK;
}

// Writes into the record, read under the lock, the fields that pick(record)
// names, from target.
template <typename Pick>
int write_fields(const char* path, const SetupRecord& target, Pick pick) {
  return report_write(change_record_file(path, [&](SetupRecord& r) {
    copy_fields(pick(r), target, r);
    return std::vector<std::string>{};
  }));
}

int restore(const char* path, const char* number) {
  std::vector<HistoryEntry> entries;
  if (!load_history(path, entries)) return STATUS_TROUBLE;
  const std::string digits(number);
  const int i = digits.find_first_not_of("0123456789") == std::string::npos && digits.size() < 10
                    ? entry_index(entries, static_cast<uint32_t>(std::stoul(digits)))
                    : -1;
  if (i < 0) return trouble(history_path(path) + " holds no entry " + digits);
  const HistoryEntry& target = entries[static_cast<size_t>(i)];
  set_history_action("restore", target.number);
  return write_fields(path, target.record, [&](const SetupRecord& r) { return changed_fields(r, target.record); });
}

// Takes back the fields the newest save not yet taken back changed; other
// fields keep what the file holds now.
int undo(const char* path) {
  if (!history_enabled()) return trouble("the history is off (SETUPEDIT_HISTORY=0): an undo could not be undone");
  std::vector<HistoryEntry> entries;
  if (!load_history(path, entries)) return STATUS_TROUBLE;
  int save = -1, before = -1;
  if (std::string why = undo_target(entries, save, before); !why.empty()) return trouble(why);
  const HistoryEntry &saved = entries[static_cast<size_t>(save)], &earlier = entries[static_cast<size_t>(before)];
  set_history_action("undo", saved.number, true);
  const std::vector<const NamedField*> changed = changed_fields(earlier.record, saved.record);
  return write_fields(path, earlier.record, [&](const SetupRecord&) { return changed; });
}

}  // namespace

int main(int argc, char** argv) {
  set_history_program("setuprec");
  const bool utf8 = locale_is_utf8();
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command == "--help") {
    std::fputs(USAGE, stdout);
    return STATUS_OK;
  }
  if (command == "show" && argc == 3) return show(argv[2], utf8);
  if (command == "diff" && argc == 4) return diff(argv[2], argv[3], utf8);
  if (command == "set" && argc >= 4) return set(argv[2], argc - 3, argv + 3, utf8);
  if (command == "apply" && argc == 3) return apply(argv[2], utf8);
  if (command == "log" && argc == 3) return show_log(argv[2], false);
  if (command == "log" && argc == 4 && std::strcmp(argv[2], "--json") == 0) return show_log(argv[3], true);
  if (command == "log" && argc == 4 && std::strcmp(argv[3], "--json") == 0) return show_log(argv[2], true);
  if (command == "restore" && argc == 4) return restore(argv[2], argv[3]);
  if (command == "undo" && argc == 3) return undo(argv[2]);
  if (command == "check-catalogue" && argc == 3) return check_catalogue_file(argv[2]);
  return usage();
}
