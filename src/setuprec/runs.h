// The command functions behind setuprec's table: each takes its parsed
// arguments and returns the exit status.
#pragma once
#include <string>

#include "setuprec/commands.h"

// Reading commands: they never open anything for writing.
int run_show(const Invocation& in);
int run_diff(const Invocation& in);
int run_check_catalogue(const Invocation& in);
// Updating commands: every file is checked before any is written.
int run_set(const Invocation& in);
int run_apply(const Invocation& in);
// The history: log reads it; restore and undo update as set does.
int run_log(const Invocation& in);
int run_restore(const Invocation& in);
int run_undo(const Invocation& in);
// After a save of path: says so on stderr when its history was not written.
void report_history_problem(const std::string& path);
