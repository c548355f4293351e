#include "platform/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {
bool closed_at_start[3] = {};
}

bool ensure_standard_descriptors() noexcept {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    closed_at_start[fd] = true;
    // The lowest free number is this one: the ones below are open by now.
    const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened != fd) {
      if (opened >= 0) close(opened);
      return false;
    }
  }
  return true;
}

bool standard_descriptor_was_closed(int fd) noexcept {
  return fd >= STDIN_FILENO && fd <= STDERR_FILENO && closed_at_start[fd];
}
