// fork/exec/waitpid rather than system(): the child must get back the
// default actions we changed. Ctrl+C and Ctrl+\ go to the child alone while
// it runs. Ctrl+Z stays ignored in the child as in us: nobody could resume a
// stopped child, since the shell's job control sees only us.
#include "platform/terminal_child.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "platform/terminal_mode.h"

namespace {

[[noreturn]] void exec_child(const char* command_line) {
  signal(SIGINT, SIG_DFL);
  signal(SIGQUIT, SIG_DFL);
  signal(SIGPIPE, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  execl("/bin/sh", "sh", "-c", command_line, static_cast<char*>(nullptr));
  _exit(127);
}

int exit_status(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

int run_shell_command(const char* command_line) noexcept {
  std::fflush(nullptr);  // nothing buffered may be written twice
  terminal_mode_child_running(true);
  const pid_t pid = fork();
  if (pid == 0) exec_child(command_line);
  int status = 0;
  pid_t waited = -1;
  if (pid > 0) {
    do {
      waited = waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
  }
  terminal_mode_child_running(false);
  return waited == pid ? exit_status(status) : -1;
}
