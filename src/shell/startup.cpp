#include "shell/startup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "console/keyboard.h"
#include "data/catalogue.h"
#include "data/company_file.h"
#include "data/setup_record.h"
#include "platform/screen.h"
#include "platform/terminal.h"
#include "shell/header.h"
#include "shell/menu_bar.h"
#include "shell/session.h"

namespace {

constexpr size_t PREFIX_MAX = 2, CODE_MAX = 3, LANGUAGE_MAX = 3;

bool argument_fits(const char* name, const char* value, size_t limit) {
  if (std::strlen(value) <= limit) return true;
  std::fprintf(stderr, "setupedit: %s '%s' is longer than %zu characters\n", name, value, limit);
  return false;
}

int report_open_failure(const char* what, const std::string& path, int error) {
  std::fprintf(stderr, "setupedit: cannot open %s '%s': %s\n", what, path.c_str(), std::strerror(error));
  return STATUS_NO_FILE;
}

int load_catalogue_file(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return errno ? errno : EIO;
  const int status = load_catalogue(file);
  std::fclose(file);
  return status;
}

}  // namespace

int start_up(int argc, const char* const* argv) noexcept {
  help_overlay(HELP_COMMAND);
  if (argc < 4) {
    std::fprintf(stderr, "usage: setupedit PREFIX CODE LANG [SERVICE]\n");
    return STATUS_USAGE;
  }
  if (!argument_fits("prefix", argv[1], PREFIX_MAX) || !argument_fits("company code", argv[2], CODE_MAX) ||
      !argument_fits("language", argv[3], LANGUAGE_MAX))
    return STATUS_USAGE;
  Session& s = session();
  s.location_prefix = argv[1];
  s.company_code = argv[2];
  s.language_ext = argv[3];
  s.service_mode = argc >= 5 && std::strcmp(argv[4], SERVICE_CODE) == 0;

  if (!terminal_usable()) return STATUS_NO_FILE;  // before the company file is touched
  const std::string company_path = s.location_prefix + "DITTA." + s.company_code;
  if (int error = open_company_file(company_path)) return report_open_failure("company file", company_path, error);
  setup_record().fill(0);
  if (int error = load_setup_record()) {
    close_company_file();
    return report_open_failure("company file", company_path, error);
  }
  const std::string catalogue_path = "VELTRIS." + s.language_ext;
  if (int error = load_catalogue_file(catalogue_path)) {
    close_company_file();
    return report_open_failure("catalogue", catalogue_path, error);
  }
  reset_menu_bar();
  return 0;
}

void draw_main_screen() noexcept {
  textattr(palette_attr(slot::BACKGROUND));
  clrscr();
  draw_header();
  draw_main_frame();
}
