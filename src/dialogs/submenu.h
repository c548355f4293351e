// A submenu of dialogs: a pop-up of catalogue lines (title, then one entry
// per dialog) at the top left of the main frame that opens on the entry
// chosen last time, and runs the chosen dialog.
#pragma once
#include <initializer_list>

using SubmenuDialog = void (*)();

// last: the remembered 0-based entry, kept by the caller for the whole run.
void run_submenu(int title_line, int& last, std::initializer_list<SubmenuDialog> dialogs);
