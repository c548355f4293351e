// log, restore and undo: the history of a company file's record, read, and
// saves taken back through the same lock and save as set.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/field_changes.h"
#include "data/history.h"
#include "setuprec/history_commands.h"
#include "setuprec/inputs.h"
#include "setuprec/record_commands.h"
#include "setuprec/runs.h"

namespace {

bool load_history(const std::string& path, std::vector<HistoryEntry>& entries) {
  const std::string history = history_path(path);
  if (const std::string why = read_history(history, entries); !why.empty()) {
    trouble(input_name(history) + ": " + why);
    return false;
  }
  // Neither a history nor a company file: a mistyped name, not a record
  // that was never saved.
  if (entries.empty() && ::access(path.c_str(), F_OK) != 0) {
    trouble(input_name(path) + ": " + std::strerror(errno));
    return false;
  }
  return true;
}

// Writes into the record, read under the lock, the fields that pick(record)
// names, from target.
template <typename Pick>
int write_fields(const std::string& path, const SetupRecord& target, Pick pick) {
  const std::vector<std::string> errors = change_record_file(path, [&](SetupRecord& r) {
    copy_fields(pick(r), target, r);
    return std::vector<std::string>{};
  });
  for (const std::string& why : errors) trouble(input_name(path) + ": " + why);
  if (errors.empty()) report_history_problem(path);
  return errors.empty() ? STATUS_OK : STATUS_TROUBLE;
}

int entry_numbered(const std::vector<HistoryEntry>& entries, const std::string& digits) {
  const bool number = !digits.empty() && digits.size() < 10 && digits.find_first_not_of("0123456789") == std::string::npos;
  return number ? entry_index(entries, static_cast<uint32_t>(std::stoul(digits))) : -1;
}

}  // namespace

void report_history_problem(const std::string& path) {
  if (!history_problem().empty()) trouble(input_name(path) + ": saved, history not written: " + history_problem());
}

int run_log(const Invocation& in) {
  const std::vector<std::string> files = every_operand(in);
  if (files.size() != 1) return usage_error("log");
  std::vector<HistoryEntry> entries;
  if (!load_history(files[0], entries)) return STATUS_TROUBLE;
  if (in.json) {
    std::fputs(log_json(entries).c_str(), stdout);
  } else {
    for (const std::string& line : log_lines(entries)) std::printf("%s\n", line.c_str());
  }
  return STATUS_OK;
}

int run_restore(const Invocation& in) {
  const std::vector<std::string> args = every_operand(in);
  if (args.size() != 2) return usage_error("restore");
  std::vector<HistoryEntry> entries;
  if (!load_history(args[0], entries)) return STATUS_TROUBLE;
  const int i = entry_numbered(entries, args[1]);
  if (i < 0) return trouble(input_name(history_path(args[0])) + ": no entry " + input_name(args[1]));
  const HistoryEntry& target = entries[static_cast<size_t>(i)];
  set_history_action("restore", target.number);
  return write_fields(args[0], target.record, [&](const SetupRecord& r) { return changed_fields(r, target.record); });
}

// The fields the save changed get back their values from before it; the
// other fields keep what the file holds now.
int run_undo(const Invocation& in) {
  const std::vector<std::string> files = every_operand(in);
  if (files.size() != 1) return usage_error("undo");
  if (!history_enabled()) return trouble("the history is off (SETUPEDIT_HISTORY=0): an undo could not be undone");
  std::vector<HistoryEntry> entries;
  if (!load_history(files[0], entries)) return STATUS_TROUBLE;
  int save = -1, before = -1;
  if (std::string why = undo_target(entries, save, before); !why.empty())
    return trouble(input_name(files[0]) + ": " + why);
  const HistoryEntry &saved = entries[static_cast<size_t>(save)], &earlier = entries[static_cast<size_t>(before)];
  set_history_action("undo", saved.number, true);
  const std::vector<const NamedField*> changed = changed_fields(earlier.record, saved.record);
  return write_fields(files[0], earlier.record, [&](const SetupRecord&) { return changed; });
}
