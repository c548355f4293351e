#include "pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

struct Report {
  int status;
  int modes_read;
  termios modes;
  int foreground_ours;
};

int64_t now_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void write_exactly(int fd, const void* data, size_t length) {
  const char* p = static_cast<const char*>(data);
  while (length > 0) {
    const ssize_t n = write(fd, p, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    p += n;
    length -= static_cast<size_t>(n);
  }
}

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "pty session: %s: %s\n", what, std::strerror(errno));
  _exit(99);
}

// The stand-in shell: session leader owning the terminal, the program its child.
[[noreturn]] void run_shell(const char* slave_name, int report,
                            const std::function<void()>& program) {
  if (setsid() < 0) fail("setsid");
  const int tty = open(slave_name, O_RDWR);
  if (tty < 0 || ioctl(tty, TIOCSCTTY, 0) != 0) fail("controlling terminal");
  dup2(tty, STDIN_FILENO);
  dup2(tty, STDOUT_FILENO);
  if (tty > STDOUT_FILENO) close(tty);
  signal(SIGHUP, SIG_IGN);  // the shell outlives a hang-up to tell what happened
  const pid_t pid = fork();
  if (pid < 0) fail("fork");
  if (pid == 0) {
    close(report);
    signal(SIGHUP, SIG_DFL);
    const rlimit no_core = {0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    setenv("TERM", "setupedit-no-such-terminal", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    unsetenv("COLORTERM");  // the colour depth comes from the built-in tables
    unsetenv("SETUPEDIT_COLOURS");
    program();
    _exit(0);
  }
  write_exactly(report, &pid, sizeof pid);
  Report r{};
  while (waitpid(pid, &r.status, 0) < 0 && errno == EINTR) {
  }
  r.modes_read = tcgetattr(STDIN_FILENO, &r.modes) == 0;
  r.foreground_ours = tcgetpgrp(STDIN_FILENO) == getpgrp();
  write_exactly(report, &r, sizeof r);
  _exit(0);
}

}  // namespace

PtySession::PtySession(const std::function<void()>& program) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) fail("posix_openpt");
  const std::string slave_name = ptsname(master_);
  slave_ = open(slave_name.c_str(), O_RDWR | O_NOCTTY);
  if (slave_ < 0) fail("open slave");
  resize(80, 25);
  tcgetattr(slave_, &before_);
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) fail("pipe");
  std::fflush(nullptr);
  shell_ = fork();
  if (shell_ < 0) fail("fork");
  if (shell_ == 0) {
    close(pipe_fds[0]);
    close(master_);
    close(slave_);
    run_shell(slave_name.c_str(), pipe_fds[1], program);
  }
  close(pipe_fds[1]);
  report_ = pipe_fds[0];
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  fcntl(report_, F_SETFL, fcntl(report_, F_GETFL) | O_NONBLOCK);
  const int64_t deadline = now_ms() + 5000;
  while (report_bytes_.size() < sizeof(pid_t) && now_ms() < deadline) pump(50);
  if (report_bytes_.size() >= sizeof(pid_t)) {
    std::memcpy(&program_, report_bytes_.data(), sizeof(pid_t));
    report_bytes_.erase(0, sizeof(pid_t));
  }
}

PtySession::~PtySession() {
  if (program_ > 0) kill(program_, SIGKILL);
  if (shell_ > 0) {
    kill(shell_, SIGKILL);
    waitpid(shell_, nullptr, 0);
  }
  for (int fd : {master_, slave_, report_})
    if (fd >= 0) close(fd);
}

// One wait for the program's output or the shell's report.
bool PtySession::pump(int timeout_ms) {
  struct Source {
    int fd;
    std::string* into;
  };
  Source sources[2];
  pollfd fds[2];
  nfds_t count = 0;
  if (master_ >= 0) sources[count++] = {master_, &output_};
  sources[count++] = {report_, &report_bytes_};
  for (nfds_t i = 0; i < count; ++i) fds[i] = {sources[i].fd, POLLIN, 0};
  if (poll(fds, count, timeout_ms) <= 0) return false;
  bool got = false;
  for (nfds_t i = 0; i < count; ++i) {
    if (!(fds[i].revents & (POLLIN | POLLHUP))) continue;
    char buffer[4096];
    ssize_t n;
    while ((n = read(sources[i].fd, buffer, sizeof buffer)) > 0) {
      sources[i].into->append(buffer, static_cast<size_t>(n));
      got = true;
    }
  }
  return got;
}

bool PtySession::wait_for(const std::string& text, size_t from, int timeout_ms) {
  const int64_t deadline = now_ms() + timeout_ms;
  while (output_.find(text, from) == std::string::npos) {
    const int64_t left = deadline - now_ms();
    if (left <= 0) return false;
    pump(static_cast<int>(left));
  }
  return true;
}

void PtySession::read_for(int ms) {
  const int64_t deadline = now_ms() + ms;
  for (int64_t left = ms; left > 0; left = deadline - now_ms()) pump(static_cast<int>(left));
}

void PtySession::type(const std::string& bytes) {
  write_exactly(master_, bytes.data(), bytes.size());
}

void PtySession::resize(int columns, int rows) {
  winsize size{};
  size.ws_col = static_cast<unsigned short>(columns);
  size.ws_row = static_cast<unsigned short>(rows);
  ioctl(master_, TIOCSWINSZ, &size);
}

termios PtySession::modes_now() const {
  termios t{};
  tcgetattr(slave_, &t);
  return t;
}

void PtySession::set_modes(const termios& modes) { tcsetattr(slave_, TCSANOW, &modes); }

void PtySession::hang_up() {
  close(slave_);
  slave_ = -1;
  close(master_);
  master_ = -1;
}

PtyOutcome PtySession::finish(int timeout_ms) {
  PtyOutcome outcome;
  int64_t deadline = now_ms() + timeout_ms;
  bool killed = false;
  while (report_bytes_.size() < sizeof(Report)) {
    if (!killed && now_ms() >= deadline) {
      kill(program_, SIGKILL);  // the shell reports once it is gone
      killed = true;
      deadline = now_ms() + 5000;
    } else if (killed && now_ms() >= deadline) {
      return outcome;
    }
    pump(50);
  }
  Report r;
  std::memcpy(&r, report_bytes_.data(), sizeof r);
  outcome.ended = !killed;
  outcome.status = r.status;
  outcome.modes_read = r.modes_read != 0;
  outcome.modes = r.modes;
  outcome.foreground_ours = r.foreground_ours != 0;
  program_ = -1;
  waitpid(shell_, nullptr, 0);
  shell_ = -1;
  return outcome;
}

bool same_modes(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag &&
         a.c_cflag == b.c_cflag && a.c_cc[VMIN] == b.c_cc[VMIN] && a.c_cc[VTIME] == b.c_cc[VTIME];
}

bool raw_modes(const termios& t) {
  return !(t.c_lflag & (ICANON | ECHO | ISIG)) && !(t.c_iflag & IXON);
}
