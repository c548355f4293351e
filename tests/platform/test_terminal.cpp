// The terminal back end in a real pseudo-terminal: how the program leaves
// the terminal on every way out (signals, a lost terminal, a child command
// that is still running), and how it copes with what other programs do to
// the terminal it shares (non-blocking mode, a stop and continue, resizes).
#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/keys.h"
#include "platform/screen.h"
#include "platform/terminal.h"
#include "pty_session.h"
#include "support/test_support.h"
#include "vt_model.h"

namespace {

constexpr const char* LEAVE_SCREEN = "\x1b[?1049l";

void block(int sig) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, sig);
  sigprocmask(SIG_BLOCK, &set, nullptr);
}

// The program's start: the terminal taken over, text shown, waiting done.
void start_showing(const char* text) {
  ConsoleBackend* terminal = terminal_open();
  if (!terminal) _exit(98);
  set_console_backend(terminal);
  screen_reset();
  cputs(text);
  wait_for_key(0);
}

[[noreturn]] void read_keys_forever() {
  for (;;) getch();
}

std::string signal_name(int sig) { return strsignal(sig); }

// The state letter of /proc/PID/stat ('R', 'S', 'T', 'Z' ...), '?' when gone.
char process_state(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() ? line[close + 2] : '?';
}

// Alive and not a zombie waiting for a parent that will never reap it.
bool running(pid_t pid) {
  const char state = process_state(pid);
  return state != '?' && state != 'Z';
}

void expect_killed_by(const PtyOutcome& end, int sig) {
  ASSERT_TRUE(end.ended) << "the program did not end by itself";
  EXPECT_TRUE(WIFSIGNALED(end.status) && WTERMSIG(end.status) == sig)
      << "wait status " << end.status << ", expected death by " << signal_name(sig);
}

TEST(TerminalPty, EverySignalThatEndsTheProgramGivesTheTerminalBack) {
  struct Case {
    int sig;
    bool blocked_by_parent;  // the mask inherited from whoever started us
  };
  const Case cases[] = {
      {SIGTERM, false}, {SIGTERM, true},  {SIGHUP, false},  {SIGHUP, true},   {SIGINT, false},
      {SIGQUIT, false}, {SIGPIPE, false}, {SIGALRM, false}, {SIGUSR1, false}, {SIGUSR2, false},
      {SIGSEGV, false}, {SIGXCPU, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(signal_name(c.sig) + (c.blocked_by_parent ? ", blocked when started" : ""));
    PtySession pty([&] {
      if (c.blocked_by_parent) block(c.sig);
      start_showing("READY");
      read_keys_forever();
    });
    ASSERT_TRUE(pty.wait_for("READY"));
    const size_t at = pty.output().size();
    kill(pty.program_pid(), c.sig);
    const PtyOutcome end = pty.finish(3000);
    expect_killed_by(end, c.sig);
    EXPECT_TRUE(pty.wait_for(LEAVE_SCREEN, at, 1000)) << "our screen was not left";
    EXPECT_TRUE(end.modes_read && same_modes(end.modes, pty.modes_before()))
        << "modes not restored";
  }
}

// An SSH connection that drops: the master side closes. Whether or not a
// SIGHUP reaches the program, it must end at once rather than spin on a
// read that fails.
TEST(TerminalPty, LostTerminalEndsTheProgram) {
  struct Case {
    const char* name;
    bool sighup_blocked;  // by whoever started it
    bool own_session;     // not its controlling terminal: no SIGHUP, only EOF/EIO
    bool child_running;   // a viewer that reads the terminal until it fails
  };
  const Case cases[] = {
      {"SIGHUP from the hang-up", false, false, false},
      {"SIGHUP blocked when started", true, false, false},
      {"only the failing read tells", false, true, false},
      {"only the failing read tells, SIGHUP blocked", true, true, false},
      {"while a child runs", false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PtySession pty([&] {
      if (c.own_session) setsid();
      if (c.sighup_blocked) block(SIGHUP);
      start_showing("READY");
      if (c.child_running) run_command("echo CHILD-READY; cat > /dev/null");
      read_keys_forever();
    });
    ASSERT_TRUE(pty.wait_for(c.child_running ? "CHILD-READY" : "READY"));
    pty.hang_up();
    expect_killed_by(pty.finish(3000), SIGHUP);
  }
}

// The help viewer still runs when a signal ends us: it and whatever it
// started end too, and the terminal comes back in the modes and foreground
// the shell had, whatever modes the viewer had set.
TEST(TerminalPty, SignalWhileAChildRunsEndsTheChildAndRestoresTheTerminal) {
  for (int sig : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_name(sig));
    TempDir dir;
    const std::string pid_file = dir.file("background.pid");
    const std::string command =
        "sleep 600 & echo $! > " + pid_file + "; stty raw -echo; echo CHILD-READY; wait";
    PtySession pty([&] {
      start_showing("READY");
      run_command(command.c_str());
      read_keys_forever();
    });
    ASSERT_TRUE(pty.wait_for("CHILD-READY"));
    pid_t background = 0;
    std::ifstream(pid_file) >> background;
    ASSERT_GT(background, 0);
    kill(pty.program_pid(), sig);
    const PtyOutcome end = pty.finish(5000);
    expect_killed_by(end, sig);
    EXPECT_TRUE(end.modes_read && same_modes(end.modes, pty.modes_before()))
        << "the child's modes were left";
    EXPECT_TRUE(end.foreground_ours) << "the terminal's foreground was not given back";
    EXPECT_FALSE(running(background)) << "what the child started still runs";
    if (running(background)) kill(background, SIGKILL);
  }
}

// The child holds the terminal's foreground while it runs (and the
// terminal is resized meanwhile); afterwards the program has the terminal
// back in raw mode, repaints for the new size and reads keys again.
TEST(TerminalPty, ChildCommandGetsTheForegroundAndTheProgramTakesItBack) {
  PtySession pty([] {
    start_showing("READY");
    // pgrp and tpgid are fields 5 and 8 of /proc/PID/stat
    const int status = run_command(
        "set -- $(cat /proc/$$/stat); [ \"$5\" = \"$8\" ] || exit 1;"
        "echo CHILD-WAITS; read line; exit 3");
    gotoxy(1, 2);
    cputs(status == 3 ? "CHILD-OK" : "CHILD-FAILED");
    const int key = getch();
    terminal_close();
    _exit(key == 'x' ? 0 : 1);
  });
  ASSERT_TRUE(pty.wait_for("CHILD-WAITS")) << "the child ran without the foreground";
  const size_t at = pty.output().size();
  pty.resize(100, 30);
  pty.type("line\r");
  // It ended with status 3: its words stay until a key, which the program
  // never sees (it reads the "x" typed below).
  ASSERT_TRUE(pty.wait_for("press a key to return", at));
  pty.type("k");
  ASSERT_TRUE(pty.wait_for("CHILD-OK", at));
  const std::string shown_after = pty.output().substr(at);
  const std::string prompt_end = "to the editor --";
  const size_t prompt = shown_after.find(prompt_end);
  ASSERT_NE(prompt, std::string::npos);
  // Carriage returns aside (the terminal may add one), the line ends next.
  const size_t next = shown_after.find_first_not_of('\r', prompt + prompt_end.size());
  EXPECT_EQ(next == std::string::npos ? '?' : shown_after[next], '\n')
      << "the prompt's line is left open for whatever the shell prints next";
  EXPECT_TRUE(raw_modes(pty.modes_now()));
  VtModel vt(100, 30, true, 8);
  vt.apply(pty.output().substr(at));
  std::string shown;
  for (int x = 11; x <= 18; ++x) shown += static_cast<char>(vt.at(x, 4).ch);
  EXPECT_EQ(shown, "CHILD-OK") << "not repainted centred in the new size";
  pty.type("x");
  const PtyOutcome end = pty.finish();
  ASSERT_TRUE(end.ended) << "the program did not take the terminal back";
  EXPECT_TRUE(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0) << "status " << end.status;
  EXPECT_TRUE(end.foreground_ours);
  EXPECT_TRUE(same_modes(end.modes, pty.modes_before()));
}

// No frame repeats another, so the last one shown tells which arrived.
std::string row_text(int frame, int y) {
  char cell[16];
  std::snprintf(cell, sizeof cell, "%c%03d%02d%c", 'a' + frame % 2, frame, y, 'A' + frame % 2);
  std::string text;
  while (text.size() < SCREEN_COLS) text += cell;
  return text.substr(0, SCREEN_COLS);
}

// Another program may have left the shared terminal non-blocking; a full
// terminal then refuses writes for a while, and no byte may be lost.
TEST(TerminalPty, NonBlockingTerminalStillGetsEveryByte) {
  constexpr int FRAMES = 100;  // each changes every cell: far more than the terminal buffers
  PtySession pty([] {
    fcntl(STDOUT_FILENO, F_SETFL, fcntl(STDOUT_FILENO, F_GETFL) | O_NONBLOCK);
    start_showing("");
    for (int frame = 0; frame < FRAMES; ++frame) {
      for (int y = 1; y <= SCREEN_ROWS; ++y) {
        gotoxy(1, y);
        cputs(row_text(frame, y).c_str());
      }
      wait_for_key(0);
    }
    _exit(0);
  });
  // Nothing is read until the program sleeps: only a full terminal (a write
  // refused with EAGAIN, then a wait until it can take more) puts it to
  // sleep before it ends.
  bool blocked = false;
  for (int i = 0; i < 2000 && !blocked && running(pty.program_pid()); ++i) {
    blocked = process_state(pty.program_pid()) == 'S';
    if (!blocked) usleep(5000);
  }
  ASSERT_TRUE(blocked) << "the program never waited for a full terminal";
  const PtyOutcome end = pty.finish(30000);  // a bound for a loaded machine, not a pause
  ASSERT_TRUE(end.ended);
  EXPECT_TRUE(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0) << "status " << end.status;
  pty.read_for(100);
  VtModel vt(80, 25, true, 8);
  vt.apply(pty.output());
  for (int y = 1; y <= SCREEN_ROWS; ++y) {
    std::string shown;
    for (int x = 1; x <= SCREEN_COLS; ++x) shown += static_cast<char>(vt.at(x, y).ch);
    ASSERT_EQ(shown, row_text(FRAMES - 1, y)) << "row " << y;
  }
}

// What getch delivers for typed bytes, with the terminal's erase byte set
// as stty would: "K" and the value of a plain key, "X" and the scan code of
// an extended one, "P" and the character of a pasted one. Bracketed paste
// is switched on at start and off when leaving.
TEST(TerminalPty, EraseByteAndPasteReachGetch) {
  struct Case {
    cc_t erase;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      {0x7F, "\x7f\x08", "K8 K127 "},
      {0x08, "\x7f\x08", "K127 K8 "},
      {0x7F, "\x1b[200~a\r\x1b[Ab\x1b[201~\r", "Pa P[ PA Pb K13 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    PtySession pty([erase = c.erase] {
      termios modes{};
      tcgetattr(STDIN_FILENO, &modes);
      modes.c_cc[VERASE] = erase;
      tcsetattr(STDIN_FILENO, TCSANOW, &modes);
      start_showing("READY");
      std::string seen;
      for (;;) {
        const int k = getch();
        if (k == 'q') break;
        const int scan = k == 0 ? getch() : -1;
        char item[16];
        if (key::is_pasted(scan)) {
          std::snprintf(item, sizeof item, "P%c ", key::pasted_byte(scan));
        } else {
          std::snprintf(item, sizeof item, scan >= 0 ? "X%d " : "K%d ", scan >= 0 ? scan : k);
        }
        seen += item;
      }
      terminal_close();
      std::printf("SEEN[%s]\n", seen.c_str());
      std::fflush(stdout);
    });
    ASSERT_TRUE(pty.wait_for("READY"));
    EXPECT_NE(pty.output().find("\x1b[?2004h"), std::string::npos) << "bracketed paste not switched on";
    pty.type(c.typed);
    pty.read_for(60);
    pty.type("q");
    ASSERT_TRUE(pty.wait_for("]"));
    EXPECT_NE(pty.output().find(std::string("SEEN[") + c.expected + "]"), std::string::npos) << pty.output();
    EXPECT_NE(pty.output().find("\x1b[?2004l"), std::string::npos) << "bracketed paste left on";
    pty.finish();
  }
}

// The Linux console has no alternate screen: leaving must not keep our
// drawing under the shell's prompt there.
TEST(TerminalPty, LeavingBlanksATerminalWithoutAlternateScreen) {
  PtySession pty([] {
    start_showing("DRAWN-TEXT");
    terminal_close();
    _exit(0);
  });
  const PtyOutcome end = pty.finish();
  ASSERT_TRUE(end.ended);
  ASSERT_TRUE(pty.wait_for(LEAVE_SCREEN));
  VtModel vt(80, 25, true, 8);
  vt.apply(pty.output());
  std::string left;
  for (int y = 1; y <= SCREEN_ROWS; ++y)
    for (int x = 1; x <= SCREEN_COLS; ++x) left += static_cast<char>(vt.at(x, y).ch);
  EXPECT_EQ(left, std::string(80 * 25, ' '));
  EXPECT_EQ(vt.cursor_column(), 1);
  EXPECT_EQ(vt.cursor_row(), 1);
  EXPECT_TRUE(same_modes(end.modes, pty.modes_before()));
}

// Stopped from outside (SIGSTOP cannot be caught), the shell puts its own
// modes back; on SIGCONT the program takes raw mode again and repaints.
TEST(TerminalPty, ContinueAfterAnOutsideStopRestoresRawModeAndRepaints) {
  PtySession pty([] {
    start_showing("READY");
    read_keys_forever();
  });
  ASSERT_TRUE(pty.wait_for("READY"));
  kill(pty.program_pid(), SIGSTOP);
  for (int i = 0; i < 200 && process_state(pty.program_pid()) != 'T'; ++i) usleep(5000);
  ASSERT_EQ(process_state(pty.program_pid()), 'T');
  pty.set_modes(pty.modes_before());
  const size_t at = pty.output().size();
  kill(pty.program_pid(), SIGCONT);
  EXPECT_TRUE(pty.wait_for("READY", at)) << "no repaint after SIGCONT";
  EXPECT_TRUE(raw_modes(pty.modes_now()));
}

// Several resizes in a row, down below 80x25 while keys are typed and back
// up: keys typed under the notice are refused with the bell (they would be
// carried out out of sight), the screen comes back centred, and Ctrl+C is
// still taken under the notice.
TEST(TerminalPty, ResizesRefuseKeysWhileTooSmallAndRepaintCentred) {
  PtySession pty([] {
    start_showing("READY");
    for (;;) {
      const int key = getch();
      if (key == 3) _exit(7);
      gotoxy(1, 2);
      cprintf("KEY-%c", key);
    }
  });
  ASSERT_TRUE(pty.wait_for("READY"));
  size_t at = pty.output().size();
  pty.resize(70, 20);
  ASSERT_TRUE(pty.wait_for("at least 80x25", at));
  at = pty.output().size();
  pty.type("a");
  EXPECT_TRUE(pty.wait_for("\a", at)) << "no bell for a key typed under the notice";
  pty.resize(79, 30);
  pty.resize(100, 24);
  pty.read_for(200);
  at = pty.output().size();
  pty.resize(100, 30);
  ASSERT_TRUE(pty.wait_for("READY", at));
  pty.read_for(200);
  EXPECT_EQ(pty.output().find("KEY-a"), std::string::npos) << "a key typed under the notice was carried out";
  VtModel vt(100, 30, true, 8);
  vt.apply(pty.output().substr(at));
  std::string first_row;
  for (int x = 11; x <= 15; ++x) first_row += static_cast<char>(vt.at(x, 3).ch);
  EXPECT_EQ(first_row, "READY");
  EXPECT_EQ(vt.at(10, 3).ch, U' ');
  at = pty.output().size();
  pty.resize(60, 20);
  ASSERT_TRUE(pty.wait_for("at least 80x25", at));
  at = pty.output().size();
  pty.type("\x1b[200~" + std::string(3000, 'p') + "\x1b[201~\x03");  // several reads, one paste
  const PtyOutcome end = pty.finish();
  EXPECT_EQ(std::count(pty.output().begin() + static_cast<std::ptrdiff_t>(at), pty.output().end(), '\a'), 1)
      << "a paste under the notice rings more than once";
  ASSERT_TRUE(end.ended) << "Ctrl+C under the notice was not taken";
  EXPECT_TRUE(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 7) << "wait status " << end.status;
}

}  // namespace
