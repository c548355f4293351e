#include "console/record_save.h"

#include <cstring>

#include "console/status_line.h"
#include "data/company_file.h"
#include "data/history.h"

bool save_record(const char* action) noexcept {
  set_history_action(action);
  const int status = store_setup_record();
  if (status != 0) {
    show_message(std::strerror(status));
    return false;
  }
  // Two messages: the message place holds about 31 characters.
  if (!history_problem().empty()) {
    show_message("saved, history not written:");
    show_message(history_problem());
  }
  return true;
}
