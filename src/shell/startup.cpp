#include "shell/startup.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "console/keyboard.h"
#include "data/catalogue.h"
#include "data/company_file.h"
#include "data/setup_record.h"
#include "platform/printable_name.h"
#include "platform/screen.h"
#include "platform/terminal.h"
#include "shell/header.h"
#include "shell/info_options.h"
#include "shell/menu_bar.h"
#include "shell/session.h"
#include "shell/share_dir.h"

namespace {

constexpr size_t PREFIX_MAX = 2, CODE_MAX = 3, LANGUAGE_MAX = 3;

bool argument_fits(const char* name, const char* value, size_t limit) {
  if (std::strlen(value) <= limit) return true;
  std::fprintf(stderr, "setupedit: %s '%s' is longer than %zu bytes\n", name, printable_name(value).c_str(), limit);
  return false;
}

int report_open_failure(const char* what, const std::string& path, int error) {
  const char* reason = error == CATALOGUE_NOT_REGULAR ? "not a regular file" : std::strerror(error);
  std::fprintf(stderr, "setupedit: cannot open %s '%s': %s\n", what, printable_name(path).c_str(), reason);
  return STATUS_NO_FILE;
}

int report_company_failure(const std::string& path, int error) {
  const pid_t holder = company_file_lock_holder();
  if (error != EAGAIN) return report_open_failure("company file", path, error);
  if (holder > 0)
    std::fprintf(stderr, "setupedit: company file '%s' is in use by process %ld\n", printable_name(path).c_str(),
                 static_cast<long>(holder));
  else
    std::fprintf(stderr, "setupedit: company file '%s' is in use by another process\n", printable_name(path).c_str());
  return STATUS_NO_FILE;
}

// A catalogue in the current folder wins; only where there is none does
// the installed one (the sample texts) stand in.
int load_catalogue_file_or_installed(const std::string& name) {
  const int error = load_catalogue_file(name);
  if (error != ENOENT) return error;
  const std::string share = installed_share_dir();
  if (share.empty()) return error;
  return load_catalogue_file(share + "/" + name) == 0 ? 0 : error;
}

}  // namespace

int start_up(int argc, const char* const* argv, bool (*terminal_check)() noexcept) noexcept {
  help_overlay(HELP_COMMAND);
  // A save past a file-size limit must fail as a write, not end us halfway.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc < 4) {
    std::fputs(USAGE_LINE, stderr);
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

  if (!terminal_check()) return STATUS_NO_FILE;  // before the company file is touched
  const std::string company_path = s.location_prefix + "DITTA." + s.company_code;
  if (int error = open_company_file(company_path)) return report_company_failure(company_path, error);
  setup_record().fill(0);
  if (int error = load_setup_record()) {
    close_company_file();
    return report_open_failure("company file", company_path, error);
  }
  const std::string catalogue_path = "VELTRIS." + s.language_ext;
  if (int error = load_catalogue_file_or_installed(catalogue_path)) {
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
