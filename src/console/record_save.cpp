#include "console/record_save.h"

#include "console/status_line.h"
#include "data/company_file.h"
#include "data/history.h"

namespace {
void (*follower)(const SetupRecord& before) noexcept = nullptr;
}

bool save_record(const char* action) noexcept {
  const SetupRecord before = setup_record();
  set_history_action(action);
  const int status = store_setup_record();
  if (status != 0) {
    show_message("Record not saved: " + save_failure_reason(status));
    return false;
  }
  if (follower && setup_record() != before) follower(before);
  // Two messages: the message place holds about 31 characters.
  if (!history_problem().empty()) {
    show_message("saved, history not written:");
    show_message(history_problem());
  }
  return true;
}

void follow_saved_record(void (*follow)(const SetupRecord& before) noexcept) noexcept { follower = follow; }
