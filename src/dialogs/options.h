// Menu-bar item 3: the options screen (five option flags C, the short text
// and the eight number-format digits).
#pragma once

void edit_options();
