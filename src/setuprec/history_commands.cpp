#include "setuprec/history_commands.h"

#include <sys/stat.h>

#include <ctime>
#include <set>

#include "data/field_changes.h"
#include "data/history.h"
#include "platform/printable_name.h"
#include "setuprec/inputs.h"
#include "setuprec/json_form.h"

namespace {

std::string local_time(int64_t seconds) {
  const time_t t = static_cast<time_t>(seconds);
  tm parts{};
  char text[32] = "?";
  if (localtime_r(&t, &parts)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

std::string what_saved(const HistoryEntry& e) {
  if (e.found) return "found on disk";
  std::string text = printable_name(e.program) + " " + printable_name(e.action);
  if (e.refers_to) text += (e.undo ? " of " : " to ") + std::to_string(e.refers_to);
  return text;
}

std::vector<std::string> changes_from_previous(const std::vector<HistoryEntry>& entries, size_t i) {
  std::vector<std::string> names;
  if (i == 0) return names;
  for (const NamedField* f : changed_fields(entries[i - 1].record, entries[i].record)) names.push_back(f->name);
  return names;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

std::string json_entry(const HistoryEntry& e, const std::vector<std::string>& changed) {
  std::string fields;
  for (const auto& n : changed) fields += (fields.empty() ? "" : ", ") + json_string(n);
  return "{\"number\": " + std::to_string(e.number) + ", \"time\": " + std::to_string(e.time) +
         ", \"user\": " + json_string(e.user) + ", \"host\": " + json_string(e.host) +
         ", \"program\": " + json_string(e.program) + ", \"action\": " + json_string(e.action) +
         ", \"found\": " + (e.found ? "true" : "false") + ", \"undo\": " + (e.undo ? "true" : "false") +
         ", \"refers_to\": " + std::to_string(e.refers_to) + ", \"changed\": [" + fields + "]}";
}

}  // namespace

bool split_entry_name(const std::string& arg, std::string& path, uint32_t& number) {
  const size_t at = arg.rfind('@');
  if (at == std::string::npos || at == 0 || at + 1 == arg.size() || arg.size() - at > 10) return false;
  if (arg.find_first_not_of("0123456789", at + 1) != std::string::npos) return false;
  struct stat st{};
  if (stat(arg.c_str(), &st) == 0) return false;  // a file really named so
  path = arg.substr(0, at);
  number = static_cast<uint32_t>(std::stoul(arg.substr(at + 1)));
  return true;
}

std::string read_record_or_entry(const std::string& name, SetupRecord& record) {
  std::string path;
  uint32_t number = 0;
  if (!split_entry_name(name, path, number)) return read_record_input(name, record);
  std::vector<HistoryEntry> entries;
  const std::string history = history_path(path);
  if (std::string why = read_history(history, entries); !why.empty()) return printable_name(history) + ": " + why;
  const int i = entry_index(entries, number);
  if (i < 0) return "no entry " + std::to_string(number) + " in " + printable_name(history);
  record = entries[static_cast<size_t>(i)].record;
  return "";
}

std::vector<std::string> log_lines(const std::vector<HistoryEntry>& entries) {
  std::vector<std::string> lines;
  for (size_t i = entries.size(); i-- > 0;) {
    const HistoryEntry& e = entries[i];
    const std::vector<std::string> changed = changes_from_previous(entries, i);
    const std::string fields = i == 0 ? "(oldest entry)" : changed.empty() ? "(no field changed)" : joined(changed);
    lines.push_back(std::to_string(e.number) + "  " + local_time(e.time) + "  " + printable_name(e.user) + "@" + printable_name(e.host) + "  " +
                    what_saved(e) + ": " + fields);
  }
  return lines;
}

std::string log_json(const std::vector<HistoryEntry>& entries) {
  std::string out = "[";
  for (size_t i = entries.size(); i-- > 0;) {
    out += (i + 1 == entries.size() ? "\n  " : ",\n  ") + json_entry(entries[i], changes_from_previous(entries, i));
  }
  return out + (entries.empty() ? "]\n" : "\n]\n");
}

int entry_index(const std::vector<HistoryEntry>& entries, uint32_t number) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].number == number) return static_cast<int>(i);
  return -1;
}

std::string undo_target(const std::vector<HistoryEntry>& entries, int& save, int& before) {
  std::set<uint32_t> taken_back;
  for (const HistoryEntry& e : entries)
    if (e.undo) taken_back.insert(e.refers_to);
  for (size_t i = entries.size(); i-- > 0;) {
    const HistoryEntry& e = entries[i];
    if (e.found || e.undo || taken_back.count(e.number)) continue;
    save = static_cast<int>(i);
    before = entry_index(entries, e.number - 1);
    if (before < 0) return "the record before entry " + std::to_string(e.number) + " is no longer in the history";
    return "";
  }
  return "no save left to take back";
}
