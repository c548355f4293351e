#include "console/dialog_field.h"

#include "console/line_editor.h"
#include "platform/keys.h"

FieldExit field_exit(int key_code) noexcept {
  if (key_code == key::ESC) return FieldExit::leave;
  if (key_code == key::UP || key_code == key::LEFT) return FieldExit::back;
  return FieldExit::accept;
}

bool set_changed_text(Field f) {
  if (!edit_changed() || edit_buffer().empty()) return false;
  set_text(setup_record(), f, edit_buffer());
  return true;
}

std::string fit_number(const std::string& text, int width) {
  if (static_cast<int>(text.size()) <= width) return text;
  return std::string(static_cast<size_t>(width > 0 ? width : 0), '*');
}
