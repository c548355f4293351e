#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/standard_descriptors.h"

namespace {

// In a child, so that the test runner keeps its own descriptors: the closed
// ones are filled, a file opened next gets another number, and writing to a
// filled standard output still fails.
TEST(StandardDescriptors, ClosedOnesAreFilledBeforeAnyFileIsOpened) {
  for (const int closed : {0, 1, 2}) {
    const pid_t pid = fork();
    if (pid == 0) {
      close(closed);
      if (!ensure_standard_descriptors()) _exit(10);
      if (fcntl(closed, F_GETFD) == -1) _exit(11);
      const int file = open("/dev/null", O_RDWR);
      if (file <= 2) _exit(12);
      if (closed != 0 && write(closed, "x", 1) != -1) _exit(13);
      _exit(0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "descriptor " << closed << ", status " << status;
  }
}

}  // namespace
