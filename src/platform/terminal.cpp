// The terminal back end: the writer draws, the decoder turns input into
// getch values, raw mode and signals live in terminal_mode. Waiting happens
// in one place (pump), which also follows a resize at once: a SIGWINCH wakes
// poll through the self-pipe and the screen is repainted right there.
#include "platform/terminal.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "platform/key_decoder.h"
#include "platform/keys.h"
#include "platform/printable_name.h"
#include "platform/term_writer.h"
#include "platform/terminal_child.h"
#include "platform/terminal_mode.h"
#include "platform/terminal_profile.h"
#include "platform/terminfo.h"

namespace {

// A status line or tab bar (tmux, screen, a tabbed emulator) takes a row of
// a window that is otherwise large enough.
constexpr const char* TOO_SMALL = "Enlarge the terminal to at least 80x25 (a status line or tab bar takes a row)";
constexpr int MAX_QUEUED_BELLS = 3;

bool terminal_present() {
  if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) return true;
  std::fprintf(stderr, "setupedit: standard input and output must be a terminal\n");
  return false;
}

int64_t now_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// A terminal that is gone shows up at the next read, which ends the program.
void write_out(const std::string& bytes) {
  terminal_write_all(STDOUT_FILENO, bytes.data(), bytes.size());
}

// The byte the terminal's erase key sends, as the line discipline knows it.
int erase_byte() {
  termios modes{};
  return tcgetattr(STDIN_FILENO, &modes) == 0 ? modes.c_cc[VERASE] : 0x7F;
}

TerminalProfile current_profile() {
  return terminal_profile(terminfo_current(STDOUT_FILENO), terminal_environment(STDIN_FILENO));
}

class TerminalBackend final : public ConsoleBackend {
 public:
  bool open() noexcept;
  void close() noexcept;
  bool is_open() const noexcept { return open_; }

  void present(const Grid& grid) noexcept override;
  int read_byte() noexcept override;
  bool key_ready(int timeout_ms) noexcept override;
  void bell() noexcept override;
  void stdout_bell() noexcept override { write_out("\a"); }
  int run_command(const char* command_line) noexcept override;

 private:
  // Ctrl+C is the one key taken while the terminal is too small.
  bool key_waiting() const noexcept {
    return !queue_.empty() && (size_ok_ || queue_.front() == key::CTRL_C);
  }
  void pump(int limit_ms) noexcept;
  void read_input() noexcept;
  void take(const std::vector<int>& keys) noexcept;
  void queue(int key) noexcept;
  void on_wake() noexcept;
  void follow_size() noexcept;
  void show_notice() noexcept;
  std::string take_bells() noexcept;
  bool paste_queued() const noexcept;

  bool open_ = false;
  KeyDecoder decoder_;
  TermWriter writer_;
  WriterOptions options_;
  std::deque<int> queue_;  // getch values, extended keys as 0 then the scan code
  Grid last_;              // what present was last asked to show
  bool have_grid_ = false;
  bool size_ok_ = true;
  int columns_ = SCREEN_COLS;
  int bells_ = 0;
  // A paste is taken in at the speed of reading it: the screen is shown
  // once it has all been typed, and it rings the bell at most once.
  bool unshown_ = false;        // a present was put off until the paste ends
  bool reading_paste_ = false;  // the last key read was a pasted character
  bool paste_rang_ = false;     // the bell rang for the paste being read
  bool paste_refused_ = false;  // the bell rang for a paste under the notice
};

bool TerminalBackend::open() noexcept {
  if (open_) return true;
  if (!terminal_present()) return false;
  const TerminalProfile profile = current_profile();
  options_ = profile.writer;
  decoder_ = KeyDecoder(profile.utf8_input, erase_byte(), profile.meta_sets_bit7);
  for (const auto& [bytes, key] : terminfo_current(STDOUT_FILENO).keys) decoder_.add_sequence(bytes, key);
  if (!terminal_mode_start(profile.enter, profile.leave)) {
    std::fprintf(stderr, "setupedit: cannot switch the terminal to raw mode: %s\n",
                 std::strerror(errno));
    return false;
  }
  open_ = true;
  follow_size();
  return true;
}

void TerminalBackend::close() noexcept {
  terminal_mode_stop();
  open_ = false;
}

void TerminalBackend::present(const Grid& grid) noexcept {
  last_ = grid;
  have_grid_ = true;
  unshown_ = paste_queued();
  if (!size_ok_ || unshown_) return;  // the notice stays until the terminal is large enough
  write_out(writer_.flush(grid) + take_bells());
}

int TerminalBackend::read_byte() noexcept {
  while (!key_waiting()) {
    pump(-1);
    if (unshown_ && !paste_queued()) present(last_);  // a paste whose end got lost ended
  }
  const int value = queue_.front();
  queue_.pop_front();
  if (value != 0) {
    reading_paste_ = key::is_pasted(value);
    paste_rang_ = paste_rang_ && reading_paste_;
  }
  return value;
}

void TerminalBackend::bell() noexcept {
  if (reading_paste_ && paste_rang_) return;  // one bell for all a paste could not type
  paste_rang_ = reading_paste_;
  bells_ = std::min(bells_ + 1, MAX_QUEUED_BELLS);
}

// More of a paste is waiting: in the queue, or still to come from the terminal.
bool TerminalBackend::paste_queued() const noexcept {
  if (decoder_.pasting()) return true;
  if (queue_.empty()) return false;
  const int next = queue_.front() == 0 && queue_.size() > 1 ? queue_[1] : queue_.front();
  return key::is_pasted(next);
}

bool TerminalBackend::key_ready(int timeout_ms) noexcept {
  const int64_t deadline = now_ms() + std::max(timeout_ms, 0);
  while (!key_waiting()) {
    const int64_t left = deadline - now_ms();
    pump(static_cast<int>(std::max<int64_t>(left, 0)));
    if (left <= 0) break;
  }
  return key_waiting();
}

// One wait: for input, a wake-up from a signal, the decoder's Esc timer or
// the caller's limit (-1: none), whichever comes first.
void TerminalBackend::pump(int limit_ms) noexcept {
  int wait = limit_ms;
  const int decoder_wait = decoder_.timeout_ms(now_ms());
  if (decoder_wait >= 0 && (wait < 0 || decoder_wait < wait)) wait = decoder_wait;
  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {terminal_mode_wake_fd(), POLLIN, 0}};
  const int ready = poll(fds, 2, wait);
  if (ready < 0) return;  // EINTR: the self-pipe tells why
  if (fds[1].revents & POLLIN) on_wake();
  if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) read_input();
  take(decoder_.tick(now_ms()));
}

void TerminalBackend::read_input() noexcept {
  char buffer[512];
  const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
  if (n > 0) {
    take(decoder_.feed(std::string_view(buffer, static_cast<size_t>(n)), now_ms()));
  } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
    raise(SIGHUP);  // the terminal is gone: leave as a hangup does
  }
}

// Keys typed while the too-small notice shows would be carried out out of
// sight: they are refused, all but Ctrl+C, which still leaves.
void TerminalBackend::take(const std::vector<int>& keys) noexcept {
  bool refused = false;  // one bell for a whole read, and for a whole paste
  for (int key : keys) {
    if (key == KeyDecoder::REFUSED || (!size_ok_ && key != key::CTRL_C)) {
      const bool pasted = key::is_pasted(key);
      refused = refused || !pasted || !paste_refused_;
      paste_refused_ = paste_refused_ || pasted;
    } else {
      queue(key);
    }
  }
  if (!decoder_.pasting()) paste_refused_ = false;  // the next paste may ring again
  if (refused) write_out("\a");
}

void TerminalBackend::queue(int key) noexcept {
  if (key::is_pasted(key)) {
    queue_.push_back(0);
    queue_.push_back(key);
  } else if (key > 0xFF) {
    queue_.push_back(0);
    queue_.push_back(key >> 8);
  } else {
    queue_.push_back(static_cast<signed char>(key));
  }
}

void TerminalBackend::on_wake() noexcept {
  char signals[64];
  bool continued = false;
  ssize_t n;
  while ((n = read(terminal_mode_wake_fd(), signals, sizeof signals)) > 0)
    continued = continued || std::memchr(signals, 'c', static_cast<size_t>(n)) != nullptr;
  if (continued) {  // stopped from outside: the shell may have reset the modes
    terminal_mode_suspend();
    terminal_mode_resume();
  }
  follow_size();
  if (size_ok_ && have_grid_) present(last_);
}

// Centres the screen in a larger terminal; a smaller one gets the notice.
void TerminalBackend::follow_size() noexcept {
  winsize size{};
  int columns = SCREEN_COLS, rows = SCREEN_ROWS;
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
    columns = size.ws_col;
    rows = size.ws_row;
  }
  columns_ = columns;
  size_ok_ = columns >= SCREEN_COLS && rows >= SCREEN_ROWS;
  options_.origin_x = size_ok_ ? (columns - SCREEN_COLS) / 2 : 0;
  options_.origin_y = size_ok_ ? (rows - SCREEN_ROWS) / 2 : 0;
  writer_.set_options(options_);  // a resize may have scrambled the screen: repaint all
  if (!size_ok_) show_notice();
}

void TerminalBackend::show_notice() noexcept {
  const std::string text(TOO_SMALL, std::min(std::strlen(TOO_SMALL), static_cast<size_t>(columns_)));
  write_out("\x1b[0m\x1b[H\x1b[2J" + text + take_bells());
}

std::string TerminalBackend::take_bells() noexcept {
  std::string bells(static_cast<size_t>(bells_), '\a');
  bells_ = 0;
  return bells;
}

int TerminalBackend::run_command(const char* command_line) noexcept {
  terminal_mode_suspend();
  const int status = run_shell_command(command_line);
  terminal_mode_resume();
  follow_size();  // repaints everything at the next present
  return status;
}

TerminalBackend backend;

}  // namespace

bool terminal_usable() noexcept {
  if (!terminal_present()) return false;
  const TerminalProfile profile = current_profile();
  if (!profile.colours_known) {
    std::fprintf(stderr, "setupedit: SETUPEDIT_COLOURS=%s is not one of %s\n",
                 printable_name(std::getenv("SETUPEDIT_COLOURS")).c_str(), COLOUR_CHOICES);
    return false;
  }
  const char* term = std::getenv("TERM");
  const char* why = profile.refusal;
  if (why == nullptr) return true;
  if (term == nullptr || *term == '\0') {
    std::fprintf(stderr, "setupedit: %s; it must name the terminal, e.g. TERM=xterm\n", why);
  } else {
    std::fprintf(stderr, "setupedit: the terminal TERM=%s %s\n", printable_name(term).c_str(), why);
  }
  return false;
}

ConsoleBackend* terminal_open() noexcept { return backend.open() ? &backend : nullptr; }

void terminal_close() noexcept {
  if (backend.is_open()) backend.close();
}

void terminal_on_fatal_signal(void (*hook)() noexcept) noexcept { terminal_mode_set_hook(hook); }
