// Menu-bar item 1: the heading submenu and its three dialogs; menu-bar item 4
// is the setup-file dialog on its own.
#pragma once

void heading_menu();
void edit_headings();
void edit_option_flags_a();
void edit_setup_ext();
// The submenu's remembered entry goes back to the first (tests).
void reset_heading_menu();
