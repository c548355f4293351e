// The heading submenu: the five company heading lines, the eight option
// flags A, and the setup-file extension (also menu-bar item 4). Heading lines
// cannot be emptied here; the extension is accepted only when its file
// "SETUP.<ext>" exists in the current directory.
#include "dialogs/headings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "console/dialog_field.h"
#include "console/frames.h"
#include "console/line_editor.h"
#include "console/record_save.h"
#include "console/status_line.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "dialogs/check_box_list.h"
#include "dialogs/submenu.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/header.h"
#include "shell/menu_bar.h"

namespace {

constexpr int SUBMENU_LINE = 115;
constexpr int FIRST_HEADING_HINT = 20;
constexpr int HEADINGS = 5;
constexpr int FLAGS_TITLE = 130, FLAGS_LABELS = 131, CHECK_BOX_HINT = 104;
constexpr int EXT_HINT = 56, EXT_MISSING_MESSAGE = 92;
constexpr int EXT_COLUMN = 56, EXT_ROW = 21;
const std::string HEADING_TEMPLATE(31, '<');

int heading_menu_last = 0;

int dialog_attr() { return palette_attr(slot::DIALOG); }

void print_heading(int n) {
  gotoxy(3, 6 + n);
  cprintf(" %-31s ", get_text(setup_record(), field::heading_line(n)).c_str());
}

// A directory opens for reading here but is no setup file. A FIFO of that
// name must not keep the editor waiting for a writer.
bool setup_file_exists(const std::string& ext) {
  const int fd = ::open(("SETUP." + ext).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool is_file = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  ::close(fd);
  return is_file;
}

}  // namespace

void reset_heading_menu() { heading_menu_last = 0; }

void heading_menu() {
  run_submenu(SUBMENU_LINE, heading_menu_last, {edit_headings, edit_option_flags_a, edit_setup_ext});
}

void edit_headings() {
  draw_frame(frame::SHADOWED, 2, 6, 36, 12, dialog_attr(), catalogue_line(menu_item()));
  for (int i = 1; i <= HEADINGS; ++i) print_heading(i);
  int n = 1;
  while (n <= HEADINGS) {
    const FieldExit exit = edit_field(FIRST_HEADING_HINT + n - 1, dialog_attr(),
                                      get_text(setup_record(), field::heading_line(n)), edit_mode::CONTENT_START, 4,
                                      6 + n, HEADING_TEMPLATE);
    if (exit == FieldExit::leave) return;
    if (exit == FieldExit::back) {
      if (--n == 0) return;
      continue;
    }
    store_changed_text(field::heading_line(n));
    print_heading(n);
    ++n;
  }
  save_record("heading lines");
  draw_header();
}

void edit_option_flags_a() {
  show_hint(CHECK_BOX_HINT);
  draw_frame(frame::SHADOWED, 20, 6, 55, 15, dialog_attr(), catalogue_line(FLAGS_TITLE));
  const CheckBoxList list{22, 7, 0, 7};
  uint8_t w = get_byte(setup_record(), field::option_flags_a);
  draw_check_boxes(list, w, FLAGS_LABELS);
  if (run_check_boxes(list, w) != key::ENTER) return;
  set_byte(setup_record(), field::option_flags_a, 0, w);
  save_record("option flags A");
}

// The extension reaches the record only once its file is found: a refused
// one stays in the field for correction (Enter recalls it) but never in the
// record. An untouched field (Tab on the empty field) keeps what the field
// holds, the stored extension or the one just refused, and tests that.
void edit_setup_ext() {
  show_hint(EXT_HINT);
  draw_frame(frame::SHADOWED, 40, 20, 76, 22, dialog_attr(), catalogue_line(menu_item()));
  textattr(dialog_attr());
  gotoxy(EXT_COLUMN, EXT_ROW);
  cprintf("%-3s", get_text(setup_record(), field::setup_ext).c_str());
  std::string offered = get_text(setup_record(), field::setup_ext);
  bool typed = false;  // the operator changed the field at some attempt
  for (;;) {
    set_edit_buffer(offered);
    // No attribute is set again: after a failed test the field is edited in
    // the colour the message left.
    if (field_exit(line_edit(edit_mode::EMPTY_START, EXT_COLUMN, EXT_ROW, "<<<")) != FieldExit::accept) return;
    if (edit_changed()) {
      offered = edit_buffer().substr(0, static_cast<size_t>(field::setup_ext.size));
      typed = true;
    }
    if (setup_file_exists(offered)) break;
    show_message(std::string(catalogue_line(EXT_MISSING_MESSAGE)) + " " + offered);
  }
  if (typed) set_text(setup_record(), field::setup_ext, offered);
  save_record("setup file");
}
