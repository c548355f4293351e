#include "console/field_walk.h"

#include "console/dialog_field.h"
#include "console/line_editor.h"
#include "platform/screen.h"

namespace {

FieldExit edit_walk_field(const WalkField& f, bool forward) {
  show_hint(f.hint);
  if (f.arrive) f.arrive(forward);
  textattr(f.attr);
  set_edit_buffer(f.offered());
  return field_exit(line_edit(f.mode, f.x, f.y, f.field_template));
}

}  // namespace

WalkEnd walk_fields(const std::vector<WalkField>& fields) {
  const int count = static_cast<int>(fields.size());
  int n = 0;
  bool forward = true;
  while (n < count) {
    const WalkField& f = fields[static_cast<size_t>(n)];
    const FieldExit exit = edit_walk_field(f, forward);
    if (exit == FieldExit::leave) return WalkEnd::left;
    forward = exit == FieldExit::accept;
    if (!forward) {
      n -= f.back;
      if (n < 0) return WalkEnd::backed_out;
      continue;
    }
    if (!f.take()) continue;
    if (f.show) f.show();
    ++n;
  }
  return WalkEnd::completed;
}
