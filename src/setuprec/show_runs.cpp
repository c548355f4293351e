// show, diff and check-catalogue: they read, print on stdout, and report
// each input they cannot read by its name.
#include <algorithm>
#include <cstdio>

#include "setuprec/catalogue_check.h"
#include "setuprec/history_commands.h"
#include "setuprec/inputs.h"
#include "setuprec/json_form.h"
#include "setuprec/record_commands.h"
#include "setuprec/runs.h"

namespace {

void print_lines(const std::vector<std::string>& lines) {
  for (const auto& l : lines) std::printf("%s\n", l.c_str());
}

bool load(const std::string& name, SetupRecord& record) {
  const std::string error = read_record_or_entry(name, record);
  if (error.empty()) return true;
  trouble(input_name(name) + ": " + error);
  return false;
}

// Several records: `# FILE` before each, or one JSON object keyed by file.
// Both name the file alike, escaped: a name need not be UTF-8.
void print_record(const std::string& name, const SetupRecord& record, bool json, bool several, bool first) {
  if (json && several) {
    const std::string key = json_string(input_name(name));
    std::printf("%s  %s: %s", first ? "{\n" : ",\n", key.c_str(), json_record(record, "  ").c_str());
  } else if (json) {
    std::printf("%s\n", json_record(record).c_str());
  } else {
    if (several) std::printf("%s# %s\n", first ? "" : "\n", input_name(name).c_str());
    print_lines(show_lines(record));
  }
}

// A cut file is checked up to its last whole line; what follows is named as
// never loaded.
std::vector<CatalogueProblem> check_read_part(std::string bytes, bool cut) {
  if (cut) bytes.resize(bytes.find_last_of('\n') + 1);  // npos + 1 is 0: no whole line
  std::vector<CatalogueProblem> problems = check_catalogue(bytes);
  const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
  if (cut) problems.push_back({lines + 1, "the editor reads no further: this line and the rest are never loaded"});
  return problems;
}

}  // namespace

int run_show(const Invocation& in) {
  const std::vector<std::string> files = every_operand(in);
  if (files.empty()) return usage_error("show");
  // Every file is read first, so a refused one leaves no half listing.
  std::vector<SetupRecord> records(files.size());
  bool all_read = true;
  for (size_t i = 0; i < records.size(); ++i) all_read = load(files[i], records[i]) && all_read;
  if (!all_read) return STATUS_TROUBLE;
  const bool several = records.size() > 1;
  for (size_t i = 0; i < records.size(); ++i) print_record(files[i], records[i], in.json, several, i == 0);
  if (in.json && several) std::printf("\n}\n");
  return STATUS_OK;
}

int run_diff(const Invocation& in) {
  const std::vector<std::string> files = every_operand(in);
  if (files.size() != 2) return usage_error("diff");
  SetupRecord a{}, b{};
  const bool read_a = load(files[0], a);
  if (!load(files[1], b) || !read_a) return STATUS_TROUBLE;
  if (in.json) {
    const std::string diff = json_diff(a, b);
    std::printf("%s\n", diff.c_str());
    return diff == "{}" ? STATUS_OK : STATUS_FOUND;
  }
  const std::vector<std::string> lines = diff_lines(a, b);
  print_lines(lines);
  return lines.empty() ? STATUS_OK : STATUS_FOUND;
}

int run_check_catalogue(const Invocation& in) {
  const std::vector<std::string> files = every_operand(in);
  if (files.empty()) return usage_error("check-catalogue");
  int status = STATUS_OK;
  for (const std::string& name : files) {
    std::string bytes;
    bool cut = false;
    const std::string error = read_catalogue_input(name, bytes, cut);
    if (!error.empty()) {
      status = trouble(input_name(name) + ": " + error);
      continue;
    }
    for (const auto& p : check_read_part(bytes, cut)) {
      std::printf("%s:%d: %s\n", input_name(name).c_str(), p.line, p.text.c_str());
      if (status == STATUS_OK) status = STATUS_FOUND;
    }
  }
  return status;
}
