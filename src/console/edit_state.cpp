#include "console/edit_state.h"

#include <algorithm>

#include "platform/keys.h"

namespace {

constexpr int FUNCTION_KEY_RANGES[][2] = {{key::F1, key::F10}, {key::SHIFT_F1, key::ALT_F10}, {key::F11, key::ALT_F12}};

int length(const EditState& s) { return static_cast<int>(s.text.size()); }

bool is_printable(int code) { return (code >= 32 && code <= 126) || (code >= 128 && code <= 255); }

Effect clear_field(EditState& s) {
  if (!s.text.empty()) s.changed = true;  // clearing an empty field changes nothing
  s.text.clear();
  s.cursor = s.shift = 0;
  return Effect::clear;
}

Effect delete_at_cursor(EditState& s) {
  if (s.cursor >= length(s) || s.point) return Effect::bell;
  s.text.erase(static_cast<size_t>(s.cursor), 1);
  return Effect::deleted;
}

Effect delete_before_cursor(EditState& s) {
  if (s.cursor == 0) return Effect::bell;
  s.text.erase(static_cast<size_t>(--s.cursor), 1);
  return Effect::backspaced;
}

Effect place_point(EditState& s, const EditField& f) {
  const int c = s.cursor;
  s.point = true;  // set by every ".", placed or refused: Del is refused from now on
  if (f.point_column == f.width) return Effect::bell;
  // Right of the template's point the text would have to start left of the
  // field: refused.
  if (c > f.point_column) return Effect::bell;
  s.text.resize(static_cast<size_t>(c));
  s.text += '.';
  s.cursor = c + 1;
  s.shift = f.point_column - c;
  return Effect::point_placed;
}

Effect enter_digit(EditState& s, const EditField& f, int code) {
  const bool allowed = (code >= '0' && code <= '9') || (code == '-' && f.kind == EditKind::signed_numeric);
  if (!allowed || length(s) >= f.width - s.shift) return Effect::bell;
  if (s.cursor < length(s))
    s.text[static_cast<size_t>(s.cursor)] = static_cast<char>(code);
  else
    s.text += static_cast<char>(code);
  ++s.cursor;
  return Effect::typed;
}

Effect enter_text(EditState& s, const EditField& f, int code) {
  if (!is_printable(code) || length(s) >= f.width) return Effect::bell;
  const char c = static_cast<char>(code);
  const size_t at = static_cast<size_t>(s.cursor++);
  if (at == s.text.size()) {
    s.text += c;
    return Effect::typed;
  }
  if (s.insert) {
    s.text.insert(at, 1, c);
    return Effect::inserted;
  }
  s.text[at] = c;
  return Effect::typed;
}

Effect editing_key(EditState& s, const EditField& f, int k) {
  switch (k) {
    case key::RIGHT:
      if (s.cursor >= length(s)) return Effect::bell;
      ++s.cursor;
      return Effect::none;
    case key::LEFT: --s.cursor; return Effect::none;
    case key::HOME: s.cursor = 0; return Effect::none;
    case key::END: s.cursor = length(s); return Effect::none;
    case key::INS: s.insert = !s.insert; return Effect::indicator;
    case key::CTRL_X:
    case key::CTRL_DEL: return clear_field(s);
    case key::DEL: return delete_at_cursor(s);
    case key::BACKSPACE: return delete_before_cursor(s);
    default: break;
  }
  if (k == '.' && f.kind != EditKind::text) return place_point(s, f);
  if (k > 0xFF) return Effect::bell;  // an extended key with no use here
  const int code = k & 0xFF;          // 128-255 arrive as negative bytes
  return f.kind == EditKind::text ? enter_text(s, f, code) : enter_digit(s, f, code);
}

bool is_edit(Effect e) {
  switch (e) {
    case Effect::deleted:
    case Effect::backspaced:
    case Effect::point_placed:
    case Effect::typed:
    case Effect::inserted: return true;
    default: return false;  // clear decides for itself: emptying nothing is no change
  }
}

}  // namespace

EditField make_field(int x, int y, const std::string& field_template) {
  EditField f;
  f.x = x;
  f.y = y;
  f.width = static_cast<int>(std::min<size_t>(field_template.size(), EDIT_TEXT_MAX));
  const size_t point = field_template.find('.');
  f.point_column = point == std::string::npos || static_cast<int>(point) >= f.width ? f.width : static_cast<int>(point);
  const char first = field_template.empty() ? '\0' : field_template[0];
  f.kind = first == '#' ? EditKind::numeric : first == '-' ? EditKind::signed_numeric : EditKind::text;
  return f;
}

void start_editing(EditState& s, const std::string& edit_buffer) {
  s.text = (s.mode & edit_mode::CONTENT_START) ? edit_buffer.substr(0, EDIT_TEXT_MAX) : std::string();
  s.cursor = length(s);
  s.shift = 0;
  s.changed = false;
}

bool ends_editing_as_function_key(int k) {
  for (const auto& range : FUNCTION_KEY_RANGES)
    if (k >= range[0] && k <= range[1]) return true;
  return false;
}

Effect apply_key(EditState& s, const EditField& f, int k, bool extended, const std::string& edit_buffer) {
  if (k == key::ESC) return Effect::end;
  if (k == key::ENTER) {
    if (s.mode == edit_mode::EMPTY_START && s.text.empty() && !edit_buffer.empty()) {
      s.mode = edit_mode::CONTENT_START;  // recall: the field now offers the stored value
      return Effect::restart;
    }
    return Effect::end;
  }
  if (extended && k == key::HELP_DONE) return Effect::restart;
  if (extended && ends_editing_as_function_key(k)) return Effect::end;
  if (k == key::TAB || k == key::UP || k == key::DOWN) return Effect::end;
  if (k == key::LEFT && s.cursor == 0) return Effect::end;
  if (k == key::RIGHT && s.cursor == 0 && s.text.empty()) {
    s.text = edit_buffer.substr(0, EDIT_TEXT_MAX);
    return Effect::end;
  }
  if (k == key::RIGHT && s.cursor == f.width) return Effect::end;
  const Effect e = editing_key(s, f, k);
  if (is_edit(e)) s.changed = true;
  return e;
}
