// Drawing and the key loop of the line editor. During editing every empty
// position of the field shows the fill character; at the end the field is
// redrawn without it, numbers right-aligned.
#include "console/line_editor.h"

#include "console/edit_state.h"
#include "console/frames.h"
#include "console/keyboard.h"
#include "platform/screen.h"

namespace {

constexpr int INDICATOR_X = 78, INDICATOR_Y = 24;
constexpr int WARNING_X = 40, WARNING_Y = 24;

std::string buffer;
bool last_changed = false;

int length(const EditState& s) { return static_cast<int>(s.text.size()); }
int column_of(const EditField& f, const EditState& s, int index) { return f.x + s.shift + index; }

void write_from(const EditState& s, int index) { cputs(s.text.c_str() + index); }

void draw_start(const EditField& f, const EditState& s) {
  gotoxy(f.x, f.y);
  cputs(s.text.c_str());
  repeat_char(f.width - length(s), FILL_CHAR);
  if (length(s) > f.width) {
    gotoxy(WARNING_X, WARNING_Y);
    cprintf("buf.tastiera troppo grande ! %d %d", length(s), f.width);
  }
}

void draw_point(const EditField& f, const EditState& s) {
  gotoxy(f.x, f.y);
  put_spaces(s.shift);
  cputs(s.text.c_str());
  repeat_char(f.width - f.point_column - 1, FILL_CHAR);
}

void draw_effect(Effect e, const EditField& f, const EditState& s) {
  switch (e) {
    case Effect::bell: putch(7); break;
    case Effect::indicator:
      gotoxy(INDICATOR_X, INDICATOR_Y);
      putch(s.insert ? 'I' : 'O');
      break;
    case Effect::clear:
      gotoxy(f.x, f.y);
      repeat_char(f.width, FILL_CHAR);
      break;
    case Effect::deleted:
      gotoxy(column_of(f, s, s.cursor), f.y);
      write_from(s, s.cursor);
      repeat_char(f.width - length(s), FILL_CHAR);
      break;
    case Effect::backspaced:
      gotoxy(column_of(f, s, s.cursor), f.y);
      write_from(s, s.cursor);
      gotoxy(column_of(f, s, length(s)), f.y);
      putch(FILL_CHAR);
      break;
    case Effect::point_placed: draw_point(f, s); break;
    case Effect::typed:
      gotoxy(column_of(f, s, s.cursor - 1), f.y);
      putch(s.text[static_cast<size_t>(s.cursor - 1)]);
      break;
    case Effect::inserted:
      gotoxy(column_of(f, s, s.cursor - 1), f.y);
      write_from(s, s.cursor - 1);
      break;
    case Effect::none:
    case Effect::end:
    case Effect::restart: break;
  }
}

void draw_final(const EditField& f, const EditState& s) {
  gotoxy(f.x, f.y);
  const int pad = f.width - length(s);
  if (f.kind == EditKind::numeric) {
    put_spaces(pad);
    cputs(s.text.c_str());
  } else {
    cputs(s.text.c_str());
    put_spaces(pad);
  }
}

}  // namespace

const std::string& edit_buffer() noexcept { return buffer; }
void set_edit_buffer(const std::string& text) { buffer = text.substr(0, EDIT_BUFFER_SIZE - 1); }
bool edit_changed() noexcept { return last_changed; }

int line_edit(int mode, int x, int y, const std::string& field_template) noexcept {
  const EditField f = make_field(x, y, field_template);
  EditState s;
  s.mode = mode & 7;
  for (;;) {
    start_editing(s, buffer);
    draw_start(f, s);
    gotoxy(column_of(f, s, s.cursor), f.y);
    Effect e;
    int k;
    do {
      const int c = getch();
      bool extended = c == 0;
      k = extended ? read_key_ext() : c;
      if (extended && key::is_pasted(k)) {  // typed as a character, never as a key
        k = key::pasted_byte(k);
        extended = false;
      }
      e = apply_key(s, f, k, extended, buffer);
      draw_effect(e, f, s);
      if (e != Effect::end && e != Effect::restart) gotoxy(column_of(f, s, s.cursor), f.y);
    } while (e != Effect::end && e != Effect::restart);
    if (e == Effect::end) {
      last_changed = s.changed;
      set_edit_buffer(s.text);
      draw_final(f, s);
      return k;
    }
  }
}
