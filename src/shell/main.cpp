// Program entry: start-up, the main screen, the main loop.
#include <cstdio>

#include "data/company_file.h"
#include "dialogs/dispatch.h"
#include "platform/screen.h"
#include "platform/terminal.h"
#include "shell/main_loop.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  if (int status = start_up(argc, argv)) return status;
  ConsoleBackend* terminal = terminal_open();
  if (!terminal) {
    close_company_file();
    return STATUS_NO_FILE;
  }
  terminal_on_fatal_signal(close_company_file_from_signal);
  set_console_backend(terminal);
  draw_main_screen();
  main_loop(menu_dialogs());
}
