// Saving the setup record from a dialog: a failed save is shown to the
// operator, never passed off as done, and so is a history not written.
#pragma once

// Writes record 0, entered in the history under `action` (which dialog
// saved). On failure shows the system's reason with show_message; a saved
// record whose history entry could not be written says so the same way.
// Returns true when the record reached the file.
bool save_record(const char* action) noexcept;
