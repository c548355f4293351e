#include "console/keyboard.h"

#include <vector>

#include "platform/screen.h"

namespace {

constexpr size_t HELP_COMMAND_MAX = 75;
std::string help_command;

void run_help_over_saved_screen() {
  const int x = wherex();
  const int y = wherey();
  std::vector<unsigned char> saved(SCREEN_COLS * SCREEN_ROWS * 2);
  gettext(1, 1, SCREEN_COLS, SCREEN_ROWS, saved.data());
  run_command(help_command.c_str());
  puttext(1, 1, SCREEN_COLS, SCREEN_ROWS, saved.data());
  gotoxy(x, y);
}

}  // namespace

int read_key_ext() noexcept {
  const int c = getch();
  if (key::is_pasted(c)) return c;
  if (c == key::scan::DEL) return key::DEL;
  if (c == key::scan::CTRL_END) {
    help_overlay("");
    return key::HELP_DONE;
  }
  return key::extended(c & 0xFF);
}

int read_key() noexcept {
  const int c = getch();
  return c == 0 ? read_key_ext() : c;
}

void help_overlay(const std::string& command) noexcept {
  if (help_command.empty()) {
    help_command = command.substr(0, HELP_COMMAND_MAX);
    return;
  }
  run_help_over_saved_screen();
}

void reset_help_command() noexcept { help_command.clear(); }
