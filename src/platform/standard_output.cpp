#include "platform/standard_output.h"

#include <cerrno>
#include <cstdio>

int standard_output_error() noexcept {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && !std::ferror(stdout)) return 0;
  // A failure in an earlier flush leaves only the error flag; its errno may
  // be long gone.
  return !flushed && errno ? errno : EIO;
}
