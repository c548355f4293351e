#include "shell/header.h"

#include <algorithm>
#include <cstdio>

#include "console/frames.h"
#include "data/catalogue.h"
#include "data/setup_record.h"
#include "platform/screen.h"
#include "shell/session.h"

// Its first 21 characters name this build; the rest is the record format's
// release that the file layout follows.
const char BUILD_BANNER[] = "setupedit for Linux, 12-8-2016 ver.008";
static_assert(sizeof BUILD_BANNER - 1 == BUILD_BANNER_LENGTH);

namespace {
constexpr int HEADER_TOP = 1, HEADER_BOTTOM = 3;
constexpr int FRAME_TOP = 4, FRAME_BOTTOM = 24;
constexpr int DATE_COLUMN = 3, TIME_COLUMN = 69, CENTRE_COLUMN = 40;
constexpr int HEADING_IN_TITLE_A = 2, HEADING_IN_TITLE_B = 4;
constexpr int PRINTER_NAME_SELECTOR = 4;  // bit 0 of this parameter picks the name
constexpr int MAIN_TITLE_LINE = 0;

// Palette group 0 colours the header box; groups 0 and 1 the main frame.
constexpr Field HEADER_COLOURS = element(field::palette, 0, 16);
constexpr Field FRAME_COLOURS = element(field::palette, 0, 32);

bool differs(const SetupRecord& a, const SetupRecord& b, Field f) {
  return !std::equal(a.begin() + f.offset, a.begin() + f.offset + f.size, b.begin() + f.offset);
}

bool header_differs(const SetupRecord& a, const SetupRecord& b) {
  for (Field f : {field::heading_line(HEADING_IN_TITLE_A), field::heading_line(HEADING_IN_TITLE_B),
                  field::printer_name, field::printer_params, field::active_set, HEADER_COLOURS})
    if (differs(a, b, f)) return true;
  return false;
}

std::string format(const char* fmt, auto... args) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, fmt, args...);
  return buffer;
}
}  // namespace

std::string header_title() {
  const SetupRecord& r = setup_record();
  return format("%s %s %-s, %-s ", session().location_prefix.c_str(), session().company_code.c_str(),
                get_text(r, field::heading_line(HEADING_IN_TITLE_A)).c_str(),
                get_text(r, field::heading_line(HEADING_IN_TITLE_B)).c_str());
}

std::string printer_line() {
  const SetupRecord& r = setup_record();
  const Field row = field::param_row(field::printer_params, active_param_row(r));
  auto p = [&](int i) { return static_cast<unsigned>(get_byte(r, row, i)); };
  const int name = p(PRINTER_NAME_SELECTOR) & 1;
  return format("%s(%u,%u,%u,%u,%u,%u)", get_text(r, field::printer_name_line(name)).c_str(), p(0), p(1), p(2),
                p(3), p(4), p(5));
}

void draw_header_at(const std::tm& now) noexcept {
  const int a = palette_attr(slot::MENU_NORMAL);
  draw_frame(frame::PLAIN, 1, HEADER_TOP, SCREEN_COLS, HEADER_BOTTOM, a, header_title());
  const std::string printer = printer_line();
  gotoxy(CENTRE_COLUMN - static_cast<int>(printer.size()) / 2, HEADER_BOTTOM);
  textattr(a);
  cprintf("%s", printer.c_str());
  gotoxy(DATE_COLUMN, HEADER_BOTTOM);
  textattr(a);
  cprintf(" %02d-%02d-%d ", now.tm_mday, now.tm_mon + 1, now.tm_year + 1900);
  gotoxy(TIME_COLUMN, HEADER_BOTTOM);
  cprintf(" %02d:%02d:%02d ", now.tm_hour, now.tm_min, now.tm_sec);
}

void draw_header() noexcept {
  const std::time_t t = std::time(nullptr);
  std::tm now{};
  localtime_r(&t, &now);
  draw_header_at(now);
}

void draw_main_frame() noexcept {
  draw_frame(frame::PLAIN, 1, FRAME_TOP, SCREEN_COLS, FRAME_BOTTOM, palette_attr(slot::MAIN_FRAME),
             catalogue_line(MAIN_TITLE_LINE));
  gotoxy(CENTRE_COLUMN - BUILD_BANNER_LENGTH / 2, FRAME_BOTTOM);
  cprintf("%s", BUILD_BANNER);
}

void redraw_changed_boxes(const SetupRecord& before) noexcept {
  const SetupRecord& now = setup_record();
  const bool header = header_differs(before, now), frame = differs(before, now, FRAME_COLOURS);
  if (!header && !frame) return;
  const int x = wherex(), y = wherey(), attribute = current_attr();
  if (header) draw_header();
  if (frame) draw_main_frame();
  textattr(attribute);
  gotoxy(x, y);
}
