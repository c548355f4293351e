#include "console/dialog_field.h"

#include "console/line_editor.h"
#include "console/status_line.h"
#include "platform/keys.h"
#include "platform/screen.h"

FieldExit field_exit(int key_code) noexcept {
  if (key_code == key::ESC) return FieldExit::leave;
  if (key_code == key::UP || key_code == key::LEFT) return FieldExit::back;
  return FieldExit::accept;
}

FieldExit edit_field(int hint, int attr, const std::string& value, int mode, int x, int y,
                     const std::string& field_template) noexcept {
  show_hint(hint);
  textattr(attr);
  set_edit_buffer(value);
  return field_exit(line_edit(mode, x, y, field_template));
}

bool store_changed_text(Field f) {
  if (!edit_changed() || edit_buffer().empty()) return false;
  set_text(setup_record(), f, edit_buffer());
  return true;
}

std::string fit_number(const std::string& text, int width) {
  if (static_cast<int>(text.size()) <= width) return text;
  return std::string(static_cast<size_t>(width > 0 ? width : 0), '*');
}
