// Random dumps, in the text and the JSON form: the readers never read out of
// bounds or hang, a refused dump leaves the record as it was, and a record
// that took a dump shows the same after its own dump is applied again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "setuprec/json_form.h"
#include "setuprec/record_commands.h"

namespace {

void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "dump: %s\n", what);
  std::abort();
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

// json: check the record's own dump in the JSON form, else in the text form.
void apply_and_check(const std::vector<Assignment>& assignments, SetupRecord record, bool json) {
  const SetupRecord before = record;
  if (!apply_assignments(record, assignments).empty()) {
    require(record == before, "a refused dump changed the record");
    return;
  }
  if (assignments.empty()) return;
  std::vector<std::string> errors;
  SetupRecord again = before;
  const std::vector<Assignment> own =
      json ? read_json_dump(json_record(record), errors) : read_dump(joined(show_lines(record)), errors);
  require(apply_assignments(again, own).empty() && errors.empty(), "the dump of a record was refused");
  require(show_lines(again) == show_lines(record), "the dump of a record showed differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  SetupRecord record;
  for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 37);
  std::vector<std::string> errors;
  apply_and_check(read_dump(text, errors), record, false);
  errors.clear();
  apply_and_check(read_json_dump(text, errors), record, true);
  return 0;
}
