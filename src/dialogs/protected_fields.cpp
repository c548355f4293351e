// The protected fields open only to the exact current access word (letter
// case counts); a wrong word, or Esc at any prompt, ends the dialog silently
// and writes nothing. None of the four guarded values may be emptied: an
// answer the operator emptied asks again, while a field left untouched keeps
// its stored bytes exactly. Each accepted value is blanked from its row at
// once, so no guarded text stays on screen, and there is no way back to an
// earlier row.
#include "dialogs/protected_fields.h"

#include <algorithm>
#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/menu_bar.h"

namespace {

constexpr int CURRENT_WORD_HINT = 73, NEW_WORD_HINT = 74;
constexpr int FIELD_COLUMN = 25, WORD_ROW = 14;
constexpr int SERVICE_TITLE = 12, SERVICE_HINT = 19;
constexpr int SERVICE_COLUMN = 4, SERVICE_ROW = 7;
constexpr int TEXT_WIDTH = 31;
const std::string TEXT_TEMPLATE(TEXT_WIDTH, '<');

struct ProtectedRow {
  Field field;
  int row, hint;
};
constexpr ProtectedRow PROTECTED_ROWS[] = {
    {field::protected_text_0, 15, 25},
    {field::protected_text_1, 16, 27},
    {field::protected_text_2, 17, 28},
};

// The fields use the slot as stored, blink bit included; only the frame
// drops it.
int protected_attr() { return palette_attr(slot::PROTECTED); }

// One prompt of the protected dialog; false when the operator pressed Esc.
bool prompt(int hint, int mode, int row) {
  show_hint(hint);
  textattr(protected_attr());
  return line_edit(mode, FIELD_COLUMN, row, TEXT_TEMPLATE) != key::ESC;
}

// Stores an accepted value only when it was changed, then hides it. A stored
// text that fills all 32 bytes (no terminator) was shown one column wider,
// and shortening it leaves its last character in that column: blank it too.
void accept(Field f, int row) {
  const size_t opened = get_text(setup_record(), f).size();
  const int shown = static_cast<int>(std::max({static_cast<size_t>(TEXT_WIDTH), opened, edit_buffer().size()}));
  if (edit_changed()) set_text(setup_record(), f, edit_buffer());
  gotoxy(FIELD_COLUMN, row);
  put_spaces(shown);
}

bool current_word_given() {
  set_edit_buffer("");
  if (!prompt(CURRENT_WORD_HINT, edit_mode::EMPTY_START, WORD_ROW)) return false;
  return edit_buffer() == get_text(setup_record(), field::access_word);
}

bool emptied() { return edit_buffer().empty() && edit_changed(); }

// The EditBuffer still holds the word just given, so Enter on the empty
// field offers it and a second Enter keeps it; Tab or Down with nothing
// typed keeps it too.
bool new_word_given() {
  do {
    if (!prompt(NEW_WORD_HINT, edit_mode::EMPTY_START, WORD_ROW)) return false;
  } while (emptied());
  accept(field::access_word, WORD_ROW);
  return true;
}

bool protected_text_given(const ProtectedRow& r) {
  do {
    set_edit_buffer(get_text(setup_record(), r.field));
    if (!prompt(r.hint, edit_mode::CONTENT_START, r.row)) return false;
  } while (emptied());
  accept(r.field, r.row);
  return true;
}

}  // namespace

void edit_protected() {
  draw_frame(frame::SHADOWED, 20, 13, 60, 18, protected_attr() & 0x7F, catalogue_line(menu_item()));
  if (!current_word_given() || !new_word_given()) return;
  for (const ProtectedRow& r : PROTECTED_ROWS)
    if (!protected_text_given(r)) return;
  show_hint(NO_HINT);
  save_record("protected fields");
}

// An emptied service line keeps its old text; the record is written even
// when nothing changed.
void edit_service_line() {
  const int attr = palette_attr(slot::DIALOG);
  const Field line = field::heading_line(0);
  draw_frame(frame::SHADOWED, 2, 6, 36, 8, attr, catalogue_line(SERVICE_TITLE));
  show_hint(SERVICE_HINT);
  textattr(attr);
  set_edit_buffer(get_text(setup_record(), line));
  // A stored line of all 32 bytes is shown one column wider than the field;
  // the reprint covers that column too, so no character of it is left over.
  const int shown = std::max(TEXT_WIDTH, static_cast<int>(edit_buffer().size()));
  if (line_edit(edit_mode::CONTENT_START, SERVICE_COLUMN, SERVICE_ROW, TEXT_TEMPLATE) == key::ESC) return;
  store_changed_text(line);
  gotoxy(SERVICE_COLUMN, SERVICE_ROW);
  cprintf("%-*s", shown, get_text(setup_record(), line).c_str());
  save_record("service line");
}
