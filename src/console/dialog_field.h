// What every dialog field shares: the ending key read as one of three
// outcomes, and one rule for taking an answer: a field is set in the record
// only when the operator changed its text, so an untouched field keeps its
// bytes exactly. The walk over a dialog's fields is field_walk.h.
#pragma once
#include <string>

#include "data/setup_record.h"

enum class FieldExit {
  leave,   // Esc: the dialog ends without writing
  back,    // Up or Left: one field back
  accept,  // any other ending key
};

FieldExit field_exit(int key_code) noexcept;

// Whether a field just accepted is to be stored is edit_changed()
// (console/line_editor.h) and nothing else: an untouched field keeps its
// bytes (no rounding of a binary64, no 00 lost inside a code, no 0 or empty
// text stored by Tab over a value the field merely did not show, no
// zero-fill after a terminator).

// The rule for a text field that cannot be emptied: sets f to the EditBuffer
// when the field was changed and the result is not empty. Returns whether
// it set it.
bool set_changed_text(Field f);

// A number's text as shown in a field `width` columns wide: the text when it
// fits, otherwise a row of '*' as wide as the field, so that nothing runs
// past the field. The stored value is never touched.
std::string fit_number(const std::string& text, int width);
