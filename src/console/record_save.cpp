#include "console/record_save.h"

#include "console/status_line.h"
#include "data/company_file.h"

namespace {
void (*follower)(const SetupRecord& before) noexcept = nullptr;
}

bool save_record() noexcept {
  const SetupRecord before = setup_record();
  const int status = store_setup_record();
  if (status != 0) {
    show_message("Record not saved: " + save_failure_reason(status));
    return false;
  }
  if (follower && setup_record() != before) follower(before);
  return true;
}

void follow_saved_record(void (*follow)(const SetupRecord& before) noexcept) noexcept { follower = follow; }
