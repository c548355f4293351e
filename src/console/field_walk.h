// The walk every dialog makes over its fields: show the field's hint, edit
// it, and on the ending key leave (Esc), step back (Up, Left), or take the
// answer and go on. A dialog describes its fields in a table and the walk
// does the rest; the quirks of a dialog are entries of its table.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "console/status_line.h"

struct WalkField {
  int x = 1, y = 1;
  int hint = NO_HINT;
  std::string field_template;  // width and kind, as line_edit takes it
  int mode = 0;                // edit_mode::EMPTY_START or CONTENT_START
  int attr = 0;
  std::function<std::string()> offered;  // the EditBuffer's text on arrival
  // Takes an accepted answer into the record; false offers the field again.
  std::function<bool()> take;
  std::function<void()> show;  // reprints the field once taken
  int back = 1;                // how many fields Up or Left goes back
  // Drawn on arrival, after the hint; forward is false when stepping back.
  std::function<void(bool forward)> arrive = nullptr;
};

enum class WalkEnd {
  completed,   // the last field was taken
  left,        // Esc
  backed_out,  // Up or Left stepped back past the first field
};

WalkEnd walk_fields(const std::vector<WalkField>& fields);
