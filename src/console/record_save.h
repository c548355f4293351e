// Saving the setup record from a dialog: a failed save is shown to the
// operator, never passed off as done.
#pragma once

// Writes record 0; on failure shows the system's reason with show_message.
// Returns true when the record reached the file.
bool save_record() noexcept;
