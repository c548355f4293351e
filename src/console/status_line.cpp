#include "console/status_line.h"

#include "console/frames.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "platform/screen.h"

namespace {
constexpr int STATUS_ROW = 25;
constexpr int MESSAGE_COLUMN = 41;
constexpr int MESSAGE_WIDTH = 38;
constexpr int INVALID_CHOICE_LINE = 16;
}  // namespace

void show_hint(int line) noexcept {
  gotoxy(1, STATUS_ROW);
  if (line >= 0) {
    textattr(palette_attr(slot::STATUS_TEXT));
    cprintf("%-39s", catalogue_line(line));
    textattr(palette_attr(slot::BACKGROUND));
  } else {
    textattr(palette_attr(slot::BACKGROUND));
    put_spaces(40);
    gotoxy(1, STATUS_ROW);
  }
}

void show_message(const std::string& text) noexcept {
  if (text.empty()) return;
  textattr(MESSAGE_ATTR);
  gotoxy(MESSAGE_COLUMN, STATUS_ROW);
  cprintf("%-31.*s", MESSAGE_WIDTH, text.c_str());  // no more than is cleared below
  textattr(CLEARED_MESSAGE_ATTR);
  putch(7);
  wait_for_key(MESSAGE_MILLISECONDS);  // a bell returns at once: give the eye a moment
  gotoxy(MESSAGE_COLUMN, STATUS_ROW);
  put_spaces(MESSAGE_WIDTH);
}

void invalid_choice() noexcept {
  gotoxy(1, STATUS_ROW);
  textattr(palette_attr(slot::STATUS_TEXT));
  cprintf("%s", catalogue_line(INVALID_CHOICE_LINE));
  stdout_bell();
  textattr(palette_attr(slot::STATUS_TEXT));
  gotoxy(1, STATUS_ROW);
  put_spaces(20);
}
