// The record commands of setuprec: a record as lines of `name = value`, the
// lines that differ between two records, and assignments checked as a whole
// before any of them is stored.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/setup_record.h"

struct Assignment {
  std::string name;
  std::string value;
  int line = 0;  // in the dump it came from; 0 for an argument
};

// Every named field, one `name = value` line each, in record order.
std::vector<std::string> show_lines(const SetupRecord& record);
// The fields that differ: "< name = value" from a, then "> name = value" from b.
std::vector<std::string> diff_lines(const SetupRecord& a, const SetupRecord& b);
// Splits "name = value" (blanks around '=' and at the end are dropped).
// False when there is no '=' or no name.
bool split_assignment(std::string_view line, Assignment& out);
// Reads a dump: assignments, blank lines and # comments. Malformed lines come
// back in errors as "LINE: ..." texts.
std::vector<Assignment> read_dump(std::string_view text, std::vector<std::string>& errors);
// Stores every assignment when all of them are valid; otherwise leaves record
// unchanged and returns one "name: rule" text per bad assignment, led by
// "LINE: " for one from a dump. Names are echoed with control bytes escaped.
std::vector<std::string> apply_assignments(SetupRecord& record, const std::vector<Assignment>& assignments);

// Why the company file cannot take a save (not a whole record, cannot be
// opened for update, locked by another process), or the empty text. It is
// opened and closed again as the editor opens it; nothing is written.
std::string check_record_file(const std::string& path);
// Opens the company file as the editor does (holding the record's lock, so
// it is refused while the editor has the file open), lets change alter the
// record read under the lock, and saves the result with the editor's save.
// Returns change's refusals (nothing written) or, after a failed
// open/read/write, one text with the reason.
using RecordChange = std::function<std::vector<std::string>(SetupRecord&)>;
std::vector<std::string> change_record_file(const std::string& path, const RecordChange& change);
// Opens the company file as the editor does, stores the assignments there
// with the editor's save, and closes it. Returns the refusals (nothing
// written) or, after a failed open/read/write, one text with the reason.
std::vector<std::string> update_record_file(const std::string& path, const std::vector<Assignment>& assignments);
