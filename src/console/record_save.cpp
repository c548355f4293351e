#include "console/record_save.h"

#include <cstring>

#include "console/status_line.h"
#include "data/company_file.h"

bool save_record() noexcept {
  const int status = store_setup_record();
  if (status == 0) return true;
  show_message(std::strerror(status));
  return false;
}
