// The terminal back end in a real pseudo-terminal. A forked stand-in shell
// makes the terminal its controlling terminal and runs "the program" (a
// function) in a child of its own process group, as a shell without job
// control runs a command. The test reads everything the program writes,
// types, resizes, signals it, hangs the terminal up, and learns at the end
// how the program ended and how it left the terminal.
#pragma once
#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <string>

struct PtyOutcome {
  bool ended = false;            // false: it had to be killed at the deadline
  int status = 0;                // its wait status
  bool modes_read = false;       // the terminal could still be asked
  termios modes{};               // the terminal's modes after it ended
  bool foreground_ours = false;  // the shell's group holds the foreground again
};

class PtySession {
 public:
  // Starts program with stdin and stdout on an 80x25 terminal, TERM naming
  // no terminfo entry (the built-in tables, 8 colours) and a UTF-8 locale.
  // The program's process ends with _exit(0) when program returns.
  explicit PtySession(const std::function<void()>& program);
  ~PtySession();
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  pid_t program_pid() const { return program_; }
  const std::string& output() const { return output_; }
  // Reads until the output holds text after position from; false at the deadline.
  bool wait_for(const std::string& text, size_t from = 0, int timeout_ms = 5000);
  // Reads whatever arrives within ms.
  void read_for(int ms);
  void type(const std::string& bytes);
  void resize(int columns, int rows);
  // The terminal as the test found it before the program ran, and now.
  const termios& modes_before() const { return before_; }
  termios modes_now() const;
  // Sets the modes from outside, as a shell does when a job stops.
  void set_modes(const termios& modes);
  // Closes the terminal's master side, as an SSH connection that drops.
  void hang_up();
  // Waits for the program to end, reading its output; kills it at the deadline.
  PtyOutcome finish(int timeout_ms = 5000);

 private:
  bool pump(int timeout_ms);

  int master_ = -1;
  int slave_ = -1;  // kept to read the modes from outside
  int report_ = -1;
  pid_t shell_ = -1;
  pid_t program_ = -1;
  termios before_{};
  std::string output_;
  std::string report_bytes_;
};

// The modes a shell relies on: the line discipline and input/output processing.
bool same_modes(const termios& a, const termios& b);
// The modes the program runs in: no line editing, echo or signal keys.
bool raw_modes(const termios& t);
