#include "shell/info_options.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/share_dir.h"

#ifndef SETUPEDIT_VERSION
#define SETUPEDIT_VERSION "unknown"
#endif

namespace {

constexpr const char* USAGE_REST =
    "       setupedit --help | --version\n"
    "\n"
    "Edits the setup record of the company file DITTA.CODE, its name preceded\n"
    "by PREFIX, on an 80x25 screen with the texts of the catalogue VELTRIS.LANG.\n"
    "\n"
    "  PREFIX   put in front of the company file's name as it stands (at most\n"
    "           2 characters; \"\" for the current folder)\n"
    "  CODE     company code, the file name's extension (at most 3 characters)\n"
    "  LANG     language of the catalogue VELTRIS.LANG (at most 3 characters),\n"
    "           read from the current folder, else from the installed share folder\n"
    "  SERVICE  the service code enables menu item 12\n"
    "\n";

std::string manual_place() {
  const std::string share = installed_share_dir();
  if (share.empty()) return "the manual page setupedit.1 in the source's man folder";
  const std::string prefix = share.substr(0, share.size() - std::strlen(SHARE_SUBDIR));
  // A package installs the page compressed: name the file that is there.
  const std::string page = prefix + "/share/man/man1/setupedit.1";
  struct stat info;
  for (const std::string& file : {page, page + ".gz"})
    if (stat(file.c_str(), &info) == 0) return "man setupedit (" + file + ")";
  return "man setupedit";
}

}  // namespace

bool print_info_option(const char* argument) noexcept {
  if (std::strcmp(argument, "--version") == 0) {
    std::printf("setupedit %s\n", SETUPEDIT_VERSION);
    return true;
  }
  if (std::strcmp(argument, "--help") != 0) return false;
  std::fputs(USAGE_LINE, stdout);
  std::fputs(USAGE_REST, stdout);
  std::printf("The manual: %s.\n", manual_place().c_str());
  return true;
}
