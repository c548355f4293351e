// Program entry: start-up, the main screen, the main loop.
#include <cstdio>

#include "data/company_file.h"
#include "data/history.h"
#include "dialogs/dispatch.h"
#include "platform/screen.h"
#include "platform/terminal.h"
#include "shell/info_options.h"
#include "shell/main_loop.h"
#include "shell/share_dir.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  if (argc >= 2 && print_info_option(argv[1])) return 0;
  set_history_program("setupedit");
  if (int status = start_up(argc, argv)) return status;
  offer_share_dir_to_help(installed_share_dir());
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
