// Process-wide by nature: there is one controlling terminal, and signal
// handlers can reach only globals. Everything the handlers touch is either a
// plain buffer written before they are installed or a sig_atomic_t.
#include "platform/terminal_mode.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int TERMINATING[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
constexpr int CRASHING[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

termios saved_modes;
char leave_bytes[256];
size_t leave_length = 0;
std::string enter_bytes;
volatile sig_atomic_t started = 0;
volatile sig_atomic_t in_raw_mode = 0;
volatile sig_atomic_t dying = 0;
void (*volatile fatal_hook)() noexcept = nullptr;
int wake_pipe[2] = {-1, -1};

void write_all(const char* bytes, size_t length) {
  while (length > 0) {
    const ssize_t n = write(STDOUT_FILENO, bytes, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes += n;
    length -= static_cast<size_t>(n);
  }
}

// Async-signal-safe: write(2) and tcsetattr only.
void restore_now() {
  if (!in_raw_mode) return;
  in_raw_mode = 0;
  write_all(leave_bytes, leave_length);
  tcsetattr(STDIN_FILENO, TCSADRAIN, &saved_modes);
}

void on_fatal_signal(int sig) {
  if (!dying) {
    dying = 1;
    restore_now();
    tcflush(STDIN_FILENO, TCIFLUSH);
    if (fatal_hook) fatal_hook();
  }
  // Ends the process as the signal would have, so the parent sees 128+sig.
  signal(sig, SIG_DFL);
  raise(sig);
}

void on_wake_signal(int sig) {
  const int saved_errno = errno;
  const char c = sig == SIGCONT ? 'c' : 'w';
  const ssize_t written = write(wake_pipe[1], &c, 1);  // a full pipe already holds a wake-up
  (void)written;
  errno = saved_errno;
}

void handle(int sig, void (*handler)(int), int flags) {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  for (int s : TERMINATING) sigaddset(&action.sa_mask, s);
  action.sa_flags = flags;
  sigaction(sig, &action, nullptr);
}

void install_handlers() {
  for (int sig : TERMINATING) handle(sig, on_fatal_signal, 0);
  for (int sig : CRASHING) handle(sig, on_fatal_signal, 0);
  handle(SIGWINCH, on_wake_signal, SA_RESTART);
  handle(SIGCONT, on_wake_signal, SA_RESTART);
  // Ctrl+Z is a key in raw mode; a stop sent from outside must not leave
  // the screen half drawn either.
  signal(SIGTSTP, SIG_IGN);
}

termios raw_modes() {
  termios raw = saved_modes;
  raw.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
  raw.c_oflag &= ~OPOST;
  raw.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cflag &= ~(CSIZE | PARENB);
  raw.c_cflag |= CS8;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  return raw;
}

void restore_at_exit() { terminal_mode_stop(); }

}  // namespace

bool terminal_mode_start(const std::string& enter, const std::string& leave) noexcept {
  if (started) return true;
  if (tcgetattr(STDIN_FILENO, &saved_modes) != 0) return false;
  if (wake_pipe[0] < 0 && pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  leave_length = std::min(leave.size(), sizeof leave_bytes);
  std::memcpy(leave_bytes, leave.data(), leave_length);
  enter_bytes = enter;
  static bool exit_hook_set = false;
  if (!exit_hook_set) std::atexit(restore_at_exit);
  exit_hook_set = true;
  install_handlers();
  started = 1;
  terminal_mode_resume();
  return true;
}

void terminal_mode_suspend() noexcept { restore_now(); }

void terminal_mode_resume() noexcept {
  if (!started || in_raw_mode) return;
  in_raw_mode = 1;  // first, so a signal from here on restores
  const termios raw = raw_modes();
  tcsetattr(STDIN_FILENO, TCSADRAIN, &raw);
  write_all(enter_bytes.data(), enter_bytes.size());
}

void terminal_mode_stop() noexcept {
  if (!started) return;
  restore_now();
  tcflush(STDIN_FILENO, TCIFLUSH);
  started = 0;
}

void terminal_mode_set_hook(void (*hook)() noexcept) noexcept { fatal_hook = hook; }

int terminal_mode_wake_fd() noexcept { return wake_pipe[0]; }

void terminal_mode_child_running(bool running) noexcept {
  for (int sig : {SIGINT, SIGQUIT}) {
    if (running) {
      signal(sig, SIG_IGN);
    } else {
      handle(sig, on_fatal_signal, 0);
    }
  }
}
