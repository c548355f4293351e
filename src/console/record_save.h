// Saving the setup record from a dialog: a failed save is shown to the
// operator, never passed off as done, and so is a history not written.
#pragma once
#include "data/setup_record.h"

// Writes record 0, entered in the history under `action` (which dialog
// saved); on failure says with show_message that the record was not saved,
// and why (the changes stay to be saved by the next save). A saved record
// whose history entry could not be written is said the same way. Returns
// true when the record reached the file.
bool save_record(const char* action) noexcept;
// A save brings in what other programs wrote meanwhile. After each save
// that changed the record in memory that way, follow is called with the
// record as it was before, so that what the screen shows of it is redrawn.
void follow_saved_record(void (*follow)(const SetupRecord& before) noexcept) noexcept;
