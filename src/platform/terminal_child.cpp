// fork/exec/waitpid rather than system(): the child must get back the
// default actions we changed, and a process group of its own that holds the
// terminal's foreground while it runs (see terminal_mode_fork_child). Ctrl+Z
// stays ignored in the child as in us: nobody could resume a stopped child,
// since the shell's job control sees only us.
#include "platform/terminal_child.h"

#include <sys/wait.h>
#include <termios.h>
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

// A command that failed has said why on the main screen; the repaint that
// follows would cover it at once, so it stays until the operator presses a
// key. Ctrl+C is a key here too (no ISIG), and the rest of a multi-byte key
// is drained so that it never reaches the editor as typed characters. The
// prompt's line is ended afterwards: whatever the shell prints once the
// editor has gone starts on a line of its own.
void hold_until_key() {
  static const char PROMPT[] = "\r\n-- press a key to return to the editor --";
  termios saved;
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  // Echo goes off before the prompt shows: a key pressed the moment it
  // appears must not be echoed after it.
  termios one_key = saved;
  one_key.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
  one_key.c_cc[VMIN] = 1;
  one_key.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &one_key);
  if (!terminal_write_all(STDOUT_FILENO, PROMPT, sizeof PROMPT - 1)) {
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    return;
  }
  char bytes[64];
  ssize_t n;
  while ((n = read(STDIN_FILENO, bytes, 1)) < 0 && errno == EINTR) {
  }
  one_key.c_cc[VMIN] = 0;
  one_key.c_cc[VTIME] = 1;  // a tenth of a second for the rest of the key
  tcsetattr(STDIN_FILENO, TCSANOW, &one_key);
  while (n > 0) n = read(STDIN_FILENO, bytes, sizeof bytes);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  terminal_write_all(STDOUT_FILENO, "\r\n", 2);
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
  const int result = exit_status(status);
  if (result != 0) hold_until_key();
  return result;
}
