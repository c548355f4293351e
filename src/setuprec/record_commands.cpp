#include "setuprec/record_commands.h"

#include <cerrno>
#include <cstring>

#include "data/company_file.h"
#include "data/field_names.h"
#include "platform/printable_name.h"
#include "setuprec/field_form.h"
#include "setuprec/inputs.h"

namespace {

constexpr std::string_view BLANKS = " \t\r";

std::string_view trim(std::string_view s) {
  const size_t first = s.find_first_not_of(BLANKS);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(BLANKS) - first + 1);
}

std::string line_of(const NamedField& f, const SetupRecord& r) {
  const std::string value = format_field(r, f);
  return value.empty() ? f.name + " =" : f.name + " = " + value;  // an empty code
}

// The record's lock is held while an editor runs on the file.
std::string open_failure(int error) {
  if (error != EAGAIN) return std::string("cannot open for update: ") + std::strerror(error);
  const pid_t holder = company_file_lock_holder();
  if (holder <= 0) return "in use by the editor";
  return "in use by the editor (process " + std::to_string(holder) + ")";
}

}  // namespace

std::vector<std::string> show_lines(const SetupRecord& record) {
  std::vector<std::string> lines;
  for (const NamedField& f : named_fields()) lines.push_back(line_of(f, record));
  return lines;
}

std::vector<std::string> diff_lines(const SetupRecord& a, const SetupRecord& b) {
  std::vector<std::string> lines;
  for (const NamedField& f : named_fields()) {
    const std::string left = line_of(f, a), right = line_of(f, b);
    if (left == right) continue;
    lines.push_back("< " + left);
    lines.push_back("> " + right);
  }
  return lines;
}

bool split_assignment(std::string_view line, Assignment& out) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  out.name = std::string(trim(line.substr(0, equals)));
  out.value = std::string(trim(line.substr(equals + 1)));
  return !out.name.empty();
}

std::vector<Assignment> read_dump(std::string_view text, std::vector<std::string>& errors) {
  std::vector<Assignment> assignments;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++number;
    const std::string_view content = trim(line);
    if (content.empty() || content.front() == '#') continue;
    Assignment a;
    a.line = number;
    if (split_assignment(line, a)) {
      assignments.push_back(a);
    } else {
      errors.push_back(std::to_string(number) + ": not of the form name = value");
    }
  }
  return assignments;
}

std::vector<std::string> apply_assignments(SetupRecord& record, const std::vector<Assignment>& assignments) {
  std::vector<std::string> errors;
  SetupRecord changed = record;
  for (const Assignment& a : assignments) {
    const NamedField* f = find_named_field(a.name);
    const std::string error = f ? store_field(changed, *f, a.value) : "no field of that name";
    const std::string where = a.line > 0 ? std::to_string(a.line) + ": " : "";
    if (!error.empty()) errors.push_back(where + printable_name(a.name) + ": " + error);
  }
  if (errors.empty()) record = changed;
  return errors;
}

std::string check_record_file(const std::string& path) {
  std::string unfit = record_file_unfit(path);
  if (!unfit.empty()) return unfit;
  if (int error = open_company_file(path)) return open_failure(error);
  close_company_file();
  return "";
}

std::vector<std::string> change_record_file(const std::string& path, const RecordChange& change) {
  std::string unfit = record_file_unfit(path);
  if (!unfit.empty()) return {unfit};
  if (int error = open_company_file(path)) return {open_failure(error)};
  setup_record().fill(0);
  if (int error = load_setup_record()) {
    close_company_file();
    return {std::string("cannot read: ") + std::strerror(error)};
  }
  std::vector<std::string> errors = change(setup_record());
  if (errors.empty()) {
    if (int error = store_setup_record()) errors.push_back("not saved: " + save_failure_reason(error));
  }
  close_company_file();
  return errors;
}

std::vector<std::string> update_record_file(const std::string& path, const std::vector<Assignment>& assignments) {
  return change_record_file(path, [&](SetupRecord& r) { return apply_assignments(r, assignments); });
}
