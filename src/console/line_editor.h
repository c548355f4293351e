// The single-line field editor every dialog enters its values through. The
// value passes in and out through the process-wide EditBuffer: the caller
// fills it (or empties it), sets the attribute, calls line_edit, and takes the
// result by the KeyCode returned. The editor never sets the attribute.
#pragma once
#include <string>

#include "console/edit_state.h"

constexpr int EDIT_BUFFER_SIZE = 80;

// The EditBuffer; at most 79 characters.
const std::string& edit_buffer() noexcept;
void set_edit_buffer(const std::string& text);


// field_template: its length is the width; "#" first makes a numeric field,
// "-" a signed numeric one, anything else a text field; its first "." is the
// decimal column. Returns the KeyCode that ended editing.
int line_edit(int mode, int x, int y, const std::string& field_template) noexcept;
// Whether the operator changed the text in the last line_edit (typed,
// deleted or cleared something). A field that ends unchanged must store
// nothing, so the record keeps its bytes exactly: no rounding, no lost 00
// inside a code, no 0 over a value the field merely did not show.
bool edit_changed() noexcept;
