// The history of a company file's setup record: a file beside it (the
// company file's name plus ".history") holding one entry per save, so any
// save can be looked at and taken back. Saves append while they hold the
// record's lock; nothing else writes the file. The rules of the file:
// - a history never costs a record: it is written after the record is synced,
//   and a history that cannot be written is reported, never a failed save;
// - an entry cut short by a crash is skipped on reading and overwritten by the
//   next append; a file that is not a history is never written;
// - when the record on disk before a save differs from the newest entry,
//   that record goes in first, marked as found, so the entries are the
//   states the file really had;
// - at most HISTORY_KEEP + HISTORY_SLACK entries: past that, the newest
//   HISTORY_KEEP are written to a new file that is renamed over the old one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/history_entry.h"
#include "data/setup_record.h"

constexpr int HISTORY_KEEP = 1000;
constexpr int HISTORY_SLACK = 100;  // rotating on every save past the bound would rewrite 1 MB each time

std::string history_path(const std::string& company_path);
// False when SETUPEDIT_HISTORY is "0": nothing is written for this run.
bool history_enabled() noexcept;

// What the next save is: set by the program once, by the caller before each
// save. A save that writes no byte appends nothing, unless it is an undo
// (which must show in the history so the next undo goes further back).
void set_history_program(const std::string& name);
void set_history_action(const std::string& action, uint32_t refers_to = 0, bool undo = false);

// Called by the save, under the record's lock, once the record is synced:
// appends found (when it is not the newest entry) and saved. Returns "" or
// why the history was not written; history_problem() keeps it until the next
// save.
std::string record_save_in_history(const std::string& company_path, int company_fd, const SetupRecord& found,
                                   const SetupRecord& saved);
const std::string& history_problem() noexcept;

// Every whole entry of a history file, oldest first. A missing file is an
// empty history. Returns "" or why the file cannot be read as a history.
std::string read_history(const std::string& path, std::vector<HistoryEntry>& entries);
