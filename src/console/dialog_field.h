// The rhythm every dialog shares: show the field's hint, set the dialog's
// attribute, load the EditBuffer, edit, and read the ending key as one of
// three outcomes.
#pragma once
#include <string>

enum class FieldExit {
  leave,   // Esc: the dialog ends without writing
  back,    // Up or Left: one field back
  accept,  // any other ending key
};

FieldExit field_exit(int key_code) noexcept;

// show_hint(hint); textattr(attr); EditBuffer := value; line_edit(...).
FieldExit edit_field(int hint, int attr, const std::string& value, int mode, int x, int y,
                     const std::string& field_template) noexcept;
