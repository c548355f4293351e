// set and apply: values are checked first, then every company file, and only
// when all of them can take the change is any written. Each file is then
// locked, merged and saved on its own, as the editor saves.
#include "data/history.h"
#include "setuprec/inputs.h"
#include "setuprec/json_form.h"
#include "setuprec/record_commands.h"
#include "setuprec/runs.h"

namespace {

// The rules do not depend on what a record holds, so one scratch record
// tells for every file.
std::vector<std::string> refusals(const std::vector<Assignment>& assignments) {
  SetupRecord scratch{};
  return apply_assignments(scratch, assignments);
}

bool all_can_be_saved(const std::vector<std::string>& files) {
  bool all = true;
  for (const std::string& f : files) {
    const std::string why = f == "-" ? "standard input cannot be written" : check_record_file(f);
    if (why.empty()) continue;
    trouble(input_name(f) + ": " + why);
    all = false;
  }
  return all;
}

int save_each(const std::vector<std::string>& files, const std::vector<Assignment>& assignments) {
  int status = STATUS_OK;
  for (const std::string& f : files) {
    const std::vector<std::string> errors = update_record_file(f, assignments);
    for (const std::string& why : errors) status = trouble(input_name(f) + ": " + why);
    if (errors.empty()) report_history_problem(f);
  }
  return status;
}

std::vector<Assignment> read_arguments(const std::vector<std::string>& args, bool& all_read) {
  std::vector<Assignment> assignments;
  for (const std::string& arg : args) {
    Assignment a;
    if (!split_assignment(arg, a)) {
      trouble(quoted_name(arg) + " is not NAME=VALUE");
      all_read = false;
    }
    assignments.push_back(a);
  }
  return assignments;
}

}  // namespace

int run_set(const Invocation& in) {
  std::vector<std::string> files = in.operands, args = in.after;
  if (!in.separated && !files.empty()) {
    args.assign(files.begin() + 1, files.end());
    files.resize(1);
  }
  if (files.empty() || args.empty()) return usage_error("set");
  bool all_read = true;
  const std::vector<Assignment> assignments = read_arguments(args, all_read);
  if (!all_read) return STATUS_TROUBLE;
  const std::vector<std::string> refused = refusals(assignments);
  for (const std::string& f : files)
    for (const std::string& why : refused) trouble(input_name(f) + ": " + why);
  if (!refused.empty() || !all_can_be_saved(files)) return STATUS_TROUBLE;
  set_history_action("set");
  return save_each(files, assignments);
}

int run_apply(const Invocation& in) {
  std::vector<std::string> files = in.operands;
  std::string dump = in.after.empty() ? "-" : in.after.front();
  if (!in.separated && files.size() == 2) {
    dump = files.back();
    files.pop_back();
  }
  if (files.empty() || in.after.size() > 1 || (!in.separated && files.size() > 1)) return usage_error("apply");
  std::string text;
  const std::string unread = read_dump_input(dump, text);
  if (!unread.empty()) return trouble(input_name(dump) + ": " + unread);
  std::vector<std::string> errors;
  const std::vector<Assignment> assignments = in.json ? read_json_dump(text, errors) : read_dump(text, errors);
  if (errors.empty()) errors = refusals(assignments);
  for (const std::string& e : errors) trouble(input_name(dump) + ":" + e);
  if (!errors.empty() || !all_can_be_saved(files)) return STATUS_TROUBLE;
  if (assignments.empty()) {
    trouble(input_name(dump) + ": no assignments; nothing written");
    return STATUS_OK;
  }
  set_history_action("apply");
  return save_each(files, assignments);
}
