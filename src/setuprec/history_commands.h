// The history commands of setuprec: the log of a company file's saves, an
// entry read as a record (FILE@N), and the changes that restore and undo
// write. Writing itself goes through the same open, lock and save as set.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/history_entry.h"

// "FILE@N" names entry N of FILE's history, unless a file of that whole
// name exists. False when arg names no entry.
bool split_entry_name(const std::string& arg, std::string& path, uint32_t& number);
// Record 0 of a company file (as read_record_input reads it), or of the
// entry that name names. "" or why not.
std::string read_record_or_entry(const std::string& name, SetupRecord& record);

// One line per entry, newest first: number, local time, user@host, program
// and action, and the fields that changed from the entry before.
std::vector<std::string> log_lines(const std::vector<HistoryEntry>& entries);
// The same as a JSON array of objects.
std::string log_json(const std::vector<HistoryEntry>& entries);

// Index of the entry numbered `number`, or -1.
int entry_index(const std::vector<HistoryEntry>& entries, uint32_t number);
// What an undo takes back: the newest save (not found on disk, not an undo's
// own entry) that no undo has taken back yet, and the entry just before it.
// Returns "" or why there is nothing to take back.
std::string undo_target(const std::vector<HistoryEntry>& entries, int& save, int& before);
