// Program entry: start-up, the main screen, the main loop.
#include <cstdio>
#include <cstring>

#include "console/record_save.h"
#include "data/company_file.h"
#include "data/history.h"
#include "dialogs/dispatch.h"
#include "platform/screen.h"
#include "platform/standard_descriptors.h"
#include "platform/standard_output.h"
#include "platform/terminal.h"
#include "shell/header.h"
#include "shell/info_options.h"
#include "shell/main_loop.h"
#include "shell/share_dir.h"
#include "shell/startup.h"

namespace {

// --help and --version succeed only when their text got out.
int info_written() {
  const int error = standard_output_error();
  if (error == 0) return 0;
  std::fprintf(stderr, "setupedit: cannot write standard output: %s\n", std::strerror(error));
  return STATUS_NO_FILE;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ensure_standard_descriptors()) return STATUS_NO_FILE;
  if (argc >= 2 && print_info_option(argv[1])) return info_written();
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
  follow_saved_record(redraw_changed_boxes);
  draw_main_screen();
  main_loop(menu_dialogs());
}
