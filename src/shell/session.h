// What start-up takes from the command line and keeps for the whole run.
#pragma once
#include <string>

struct Session {
  std::string location_prefix;  // at most 2 characters, joined without a separator
  std::string company_code;     // at most 3
  std::string language_ext;     // at most 3
  bool service_mode = false;    // a fourth argument equal to the service code
};

Session& session() noexcept;
