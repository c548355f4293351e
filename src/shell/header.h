// The main screen's two boxes: the header box (rows 1-3: company title, menu
// bar row, date, printer line, time) and the main frame (rows 4-24, with the
// catalogue's title and the build banner).
#pragma once
#include <ctime>
#include <string>

#include "data/setup_record.h"

extern const char BUILD_BANNER[];
constexpr int BUILD_BANNER_LENGTH = 38;

// Leaves palette slot attr[75] current.
void draw_header() noexcept;
// The same at a given local time (tests).
void draw_header_at(const std::tm& now) noexcept;
// Leaves palette slot attr[91] current.
void draw_main_frame() noexcept;
// Redraws the header box and the main frame where setup_record() differs
// from before in what they show; cursor and attribute stay as they were.
void redraw_changed_boxes(const SetupRecord& before) noexcept;

std::string header_title();
std::string printer_line();
