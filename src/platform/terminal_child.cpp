// fork/exec/waitpid rather than system(): the child must get back the
// default actions we changed, and a process group of its own that holds the
// terminal's foreground while it runs (see terminal_mode_fork_child). Ctrl+Z
// stays ignored in the child as in us: nobody could resume a stopped child,
// since the shell's job control sees only us.
#include "platform/terminal_child.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/terminal_mode.h"

namespace {

int exit_status(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

int run_shell_command(const char* command_line) noexcept {
  std::fflush(nullptr);  // nothing buffered may be written twice
  const pid_t pid = terminal_mode_fork_child();
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", command_line, static_cast<char*>(nullptr));
    _exit(127);
  }
  // Waited for without reaping, so that a signal handler ending the child
  // never names a pid that may already belong to someone else.
  siginfo_t info;
  int ended = -1;
  if (pid > 0) {
    do {
      ended = waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
    } while (ended < 0 && errno == EINTR);
  }
  terminal_mode_child_done();
  int status = 0;
  if (pid <= 0 || ended < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return exit_status(status);
}
