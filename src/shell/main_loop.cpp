#include "shell/main_loop.h"

#include <cstdlib>

#include "console/status_line.h"
#include "data/catalogue_map.h"
#include "data/company_file.h"
#include "platform/screen.h"
#include "platform/terminal.h"
#include "shell/session.h"

bool main_loop_step(const DialogTable& dialogs) noexcept {
  show_hint(catalogue_map::MENU_HINT);
  const int choice = menu_bar();
  show_hint(NO_HINT);
  if (choice == menu::EXIT) return false;
  if (choice < 1 || choice > menu::ITEMS) {
    invalid_choice();
    return true;
  }
  if (choice == SERVICE_ITEM && !session().service_mode) return true;
  if (Dialog d = dialogs[static_cast<size_t>(choice)]) d();
  return true;
}

void main_loop(const DialogTable& dialogs) noexcept {
  while (main_loop_step(dialogs)) {
  }
  shutdown();
}

void shutdown() noexcept {
  screen_flush();  // the bell of Ctrl+C is still to be heard
  close_company_file();
  terminal_close();
  std::exit(0);
}
