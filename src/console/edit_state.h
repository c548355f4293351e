// The line editor's state and the one step that applies a key to it; no
// drawing here. The step reports what changed on screen as an Effect, which
// the drawing routine in line_editor.cpp turns into cells.
#pragma once
#include <string>

namespace edit_mode {
constexpr int EMPTY_START = 0;    // opens empty; Enter at once recalls the EditBuffer
constexpr int CONTENT_START = 1;  // opens with the EditBuffer's content
}  // namespace edit_mode

constexpr int EDIT_TEXT_MAX = 79;  // the working text never exceeds this
constexpr char FILL_CHAR = '/';

// What the template makes of a field (the record's value kinds are FieldKind).
enum class EditKind { text, numeric, signed_numeric };

// What the template says about a field.
struct EditField {
  int x = 1, y = 1;
  int width = 0;
  int point_column = 0;  // 0-based index of the template's ".", or width
  EditKind kind = EditKind::text;
};

struct EditState {
  int mode = edit_mode::EMPTY_START;
  std::string text;
  int cursor = 0;
  int shift = 0;  // columns between the field's start and the text's start
  bool insert = true;
  bool point = false;  // a decimal point was placed: Del is refused from then on
  // The operator typed, deleted or cleared something since editing (re)started.
  // A recall or a take-over of the stored value is no change.
  bool changed = false;
};

enum class Effect {
  none,         // only the cursor moved
  bell,         // refused: nothing changed
  end,          // editing ends with this key
  restart,      // back to the start (recall, or after the help overlay)
  indicator,    // insert flag toggled
  clear,        // the field was emptied
  deleted,      // Del: text from the cursor on, then the rest of the field filled
  backspaced,   // Backspace: text from the cursor on, then one fill character
  point_placed, // the decimal point moved the text
  typed,        // one character replaced or appended, just left of the cursor
  inserted,     // one character inserted, just left of the cursor
};

EditField make_field(int x, int y, const std::string& field_template);
// Start: content start takes the EditBuffer, empty start an empty text.
void start_editing(EditState& s, const std::string& edit_buffer);
// key is a KeyCode; extended is true when it came from read_key_ext (so a
// KeyCode of 0 means the help overlay has run).
Effect apply_key(EditState& s, const EditField& f, int key, bool extended, const std::string& edit_buffer);
bool ends_editing_as_function_key(int key);
