// Option flags B: unlike option flags A, the rows carry no bit values, and
// Esc keeps the toggles and writes the record exactly as Enter does; there is
// no way out of this dialog without storing and writing.
#include "dialogs/option_flags_b.h"

#include <cstdint>

#include "console/frames.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "dialogs/check_box_list.h"

namespace {
constexpr int TITLE = 95, LABELS = 96, CHECK_BOX_HINT = 104;
}  // namespace

void edit_option_flags_b() {
  uint8_t w = get_byte(setup_record(), field::option_flags_b);
  show_hint(CHECK_BOX_HINT);
  draw_frame(frame::SHADOWED, 20, 9, 55, 18, palette_attr(slot::DIALOG), catalogue_line(TITLE));
  const CheckBoxList list{22, 10, 0, 7, false};
  draw_check_boxes(list, w, LABELS);
  run_check_boxes(list, w);  // Enter or Esc: both keep the toggles
  set_byte(setup_record(), field::option_flags_b, 0, w);
  save_record("option flags B");
}
