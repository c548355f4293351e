// Process-wide by nature: there is one controlling terminal, and signal
// handlers can reach only globals. Everything the handlers touch is either a
// plain buffer written before they are installed or a sig_atomic_t. The main
// flow holds the ending signals while it switches modes or hands the
// terminal to a child, so a handler never finds a switch half done.
#include "platform/terminal_mode.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

// Every signal whose default action ends the process: each one gives the
// terminal back first.
constexpr int TERMINATING[] = {SIGTERM, SIGHUP,  SIGINT,  SIGQUIT,   SIGPIPE,
                               SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF};
// SIGXFSZ is not among them: the program ignores it, so that a write past a
// file-size limit fails as a write instead of ending us in the middle of a save.
constexpr int CRASHING[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGSYS, SIGTRAP, SIGXCPU};
constexpr int WAKING[] = {SIGWINCH, SIGCONT};
// How long a child may take to end after we pass it the signal that ends
// us: steps of 10 ms, then SIGKILL.
constexpr int CHILD_GRACE_STEPS = 100;

termios saved_modes;
char leave_bytes[256];
size_t leave_length = 0;
std::string enter_bytes;
volatile sig_atomic_t started = 0;
volatile sig_atomic_t in_raw_mode = 0;
volatile sig_atomic_t dying = 0;
volatile sig_atomic_t child_pid = 0;           // the running child, 0: none
volatile sig_atomic_t child_has_terminal = 0;  // it leads its own foreground group
// From handing the terminal to a child until raw mode is back: the child may
// have switched to an alternate screen of its own and cannot switch back.
volatile sig_atomic_t lent_to_child = 0;
void (*volatile fatal_hook)() noexcept = nullptr;
volatile sig_atomic_t deferred_signal = 0;  // SIGINT or SIGQUIT sent while a child ran
int wake_pipe[2] = {-1, -1};

sigset_t set_of(const int* first, const int* last) {
  sigset_t set;
  sigemptyset(&set);
  for (const int* sig = first; sig != last; ++sig) sigaddset(&set, *sig);
  return set;
}

sigset_t terminating_set() { return set_of(std::begin(TERMINATING), std::end(TERMINATING)); }

// Blocks the ending signals, and SIGTTOU where the terminal's foreground
// changes hands (a background group may then still call tcsetpgrp), for as
// long as it lives.
struct Held {
  sigset_t old;
  explicit Held(bool foreground_changes) {
    sigset_t set = terminating_set();
    if (foreground_changes) sigaddset(&set, SIGTTOU);
    sigprocmask(SIG_BLOCK, &set, &old);
  }
  ~Held() { sigprocmask(SIG_SETMASK, &old, nullptr); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
};

// Async-signal-safe: write(2) and tcsetattr only.
void restore_now() {
  if (!in_raw_mode && !lent_to_child) return;
  in_raw_mode = 0;
  lent_to_child = 0;
  terminal_write_all(STDOUT_FILENO, leave_bytes, leave_length);
  tcsetattr(STDIN_FILENO, TCSADRAIN, &saved_modes);
}

// Signal path while a child runs: the child and all it started end first,
// then the terminal comes back to our group in the modes we found it in (the
// child may have changed them, and it will not be there to change them back).
void end_child(int sig) {
  const pid_t pid = child_pid;
  if (pid <= 0) return;
  const pid_t target = child_has_terminal ? -pid : pid;
  kill(target, sig == SIGHUP ? SIGHUP : SIGTERM);
  kill(target, SIGCONT);  // a stopped child could not act on it
  const timespec step = {0, 10 * 1000 * 1000};
  pid_t waited = 0;
  for (int i = 0; i < CHILD_GRACE_STEPS && (waited = waitpid(pid, nullptr, WNOHANG)) == 0; ++i)
    nanosleep(&step, nullptr);
  if (waited == 0) {
    kill(target, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  if (child_has_terminal) tcsetpgrp(STDIN_FILENO, getpgrp());
  tcsetattr(STDIN_FILENO, TCSADRAIN, &saved_modes);
  child_pid = 0;
}

void on_fatal_signal(int sig) {
  if (!dying) {
    dying = 1;
    // From the background (a child had the terminal, or we were put there)
    // tcsetattr would stop us instead of restoring.
    const int ttou[] = {SIGTTOU};
    const sigset_t set = set_of(std::begin(ttou), std::end(ttou));
    sigprocmask(SIG_BLOCK, &set, nullptr);
    end_child(sig);
    restore_now();
    tcflush(STDIN_FILENO, TCIFLUSH);
    if (fatal_hook) fatal_hook();
  }
  // Ends the process as the signal would have, so the parent sees 128+sig.
  signal(sig, SIG_DFL);
  const int own[] = {sig};
  const sigset_t set = set_of(std::begin(own), std::end(own));
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
  raise(sig);
  _exit(128 + sig);
}

// While a child runs, Ctrl+C and Ctrl+\ typed at the terminal are the
// child's (the kernel sends them: si_code > 0); the same signals sent by a
// process are ours, and are acted on once the child has ended.
void on_signal_during_child(int sig, siginfo_t* info, void*) {
  if (info == nullptr || info->si_code <= 0) deferred_signal = sig;
}

void on_wake_signal(int sig) {
  const int saved_errno = errno;
  const char c = sig == SIGCONT ? 'c' : 'w';
  const ssize_t written = write(wake_pipe[1], &c, 1);  // a full pipe already holds a wake-up
  (void)written;
  errno = saved_errno;
}

// Every handler of ours runs with the terminating signals held, so that no
// two of them interleave.
struct sigaction masked_action(int flags) {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_mask = terminating_set();
  action.sa_flags = flags;
  return action;
}

void handle(int sig, void (*handler)(int), int flags) {
  struct sigaction action = masked_action(flags);
  action.sa_handler = handler;
  sigaction(sig, &action, nullptr);
}

void install_handlers() {
  for (int sig : TERMINATING) handle(sig, on_fatal_signal, 0);
  for (int sig : CRASHING) handle(sig, on_fatal_signal, 0);
  for (int sig : WAKING) handle(sig, on_wake_signal, SA_RESTART);
  // Ctrl+Z is a key in raw mode; a stop sent from outside must not leave
  // the screen half drawn either.
  signal(SIGTSTP, SIG_IGN);
  // A mask inherited from whoever started us must not silence the handlers:
  // with SIGHUP blocked, a lost terminal would never end the process.
  sigset_t handled = terminating_set();
  for (int sig : CRASHING) sigaddset(&handled, sig);
  for (int sig : WAKING) sigaddset(&handled, sig);
  sigprocmask(SIG_UNBLOCK, &handled, nullptr);
}

termios raw_modes() {
  termios raw = saved_modes;
  raw.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
  raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
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

void terminal_mode_suspend() noexcept {
  const Held held(false);
  restore_now();
}

void terminal_mode_resume() noexcept {
  const Held held(false);
  if (!started || in_raw_mode) return;
  in_raw_mode = 1;
  lent_to_child = 0;
  const termios raw = raw_modes();
  tcsetattr(STDIN_FILENO, TCSADRAIN, &raw);
  terminal_write_all(STDOUT_FILENO, enter_bytes.data(), enter_bytes.size());
}

void terminal_mode_stop() noexcept {
  const Held held(false);
  if (!started) return;
  restore_now();
  tcflush(STDIN_FILENO, TCIFLUSH);
  started = 0;
}

void terminal_mode_set_hook(void (*hook)() noexcept) noexcept { fatal_hook = hook; }

int terminal_mode_wake_fd() noexcept { return wake_pipe[0]; }

pid_t terminal_mode_fork_child() noexcept {
  sigset_t held = terminating_set(), old;
  sigaddset(&held, SIGTTOU);
  sigprocmask(SIG_BLOCK, &held, &old);
  // Ctrl+C and Ctrl+\ are meant for the child, even where it shares our group.
  deferred_signal = 0;
  for (int sig : {SIGINT, SIGQUIT}) {
    struct sigaction action = masked_action(SA_SIGINFO);
    action.sa_sigaction = on_signal_during_child;
    sigaction(sig, &action, nullptr);
  }
  // Only a foreground group can give the foreground away.
  const bool hand_over = tcgetpgrp(STDIN_FILENO) == getpgrp();
  lent_to_child = started;
  const pid_t pid = fork();
  if (pid == 0) {
    // Both sides set the group and the foreground: whichever runs first wins
    // the race with the child's first read from the terminal.
    if (hand_over && setpgid(0, 0) == 0) tcsetpgrp(STDIN_FILENO, getpid());
    for (int sig : TERMINATING) signal(sig, SIG_DFL);
    for (int sig : CRASHING) signal(sig, SIG_DFL);
    for (int sig : WAKING) signal(sig, SIG_DFL);
    signal(SIGXFSZ, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    return 0;
  }
  if (pid > 0) {
    const bool own_group = hand_over && (setpgid(pid, pid) == 0 || getpgid(pid) == pid);
    if (own_group) tcsetpgrp(STDIN_FILENO, pid);
    child_has_terminal = own_group;
    child_pid = pid;
  }
  sigprocmask(SIG_SETMASK, &old, nullptr);
  return pid;
}

void terminal_mode_child_done() noexcept {
  const Held held(true);
  if (child_has_terminal) tcsetpgrp(STDIN_FILENO, getpgrp());
  child_pid = 0;
  child_has_terminal = 0;
  for (int sig : {SIGINT, SIGQUIT}) handle(sig, on_fatal_signal, 0);
  if (deferred_signal) raise(deferred_signal);  // delivered once held no more
}

bool terminal_write_all(int fd, const char* bytes, size_t length) noexcept {
  while (length > 0) {
    const ssize_t n = write(fd, bytes, length);
    if (n > 0) {
      bytes += n;
      length -= static_cast<size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd out = {fd, POLLOUT, 0};
      if (poll(&out, 1, -1) < 0 && errno != EINTR) return false;
    } else {
      return false;
    }
  }
  return true;
}
