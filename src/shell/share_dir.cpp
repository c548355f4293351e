#include "shell/share_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string running_program() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::string parent_of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::string installed_share_dir() noexcept {
  const std::string bin = parent_of(running_program());
  if (bin.empty()) return "";
  const std::string dir = parent_of(bin) + SHARE_SUBDIR;
  struct stat info;
  return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? dir : "";
}

void offer_share_dir_to_help(const std::string& dir) noexcept {
  if (dir.empty()) return;
  const char* path = std::getenv("PATH");
  const std::string joined = path && *path ? std::string(path) + ":" + dir : dir;
  setenv("PATH", joined.c_str(), 1);
}
