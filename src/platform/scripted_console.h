// The scripted back end for tests: keys come from a queue of raw getch
// values, and everything the program does to the device is observable.
// Reading past the end of the queue aborts with a message instead of hanging.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"

struct ScriptedConsole : ConsoleBackend {
  std::deque<int> keys;  // raw getch values: 0 then the scan code for extended keys
  int bells = 0;
  int stdout_bells = 0;
  int presents = 0;
  std::vector<std::string> commands;
  // Called while a child command "runs", e.g. to scribble over the grid.
  std::function<void()> during_command;
  int command_status = 0;

  // Queue a KeyCode: plain codes as themselves (128-255 as negative bytes),
  // extended ones as 0 and their scan code.
  void press(int key_code);
  void press(std::initializer_list<int> key_codes);
  // Queue every byte of a text as a plain key.
  void type(const std::string& text);
  // Queue every byte of a text as a pasted character (0, key::pasted(byte)).
  void paste(const std::string& text);

  void present(const Grid& grid) noexcept override;
  int read_byte() noexcept override;
  bool key_ready(int timeout_ms) noexcept override;
  void bell() noexcept override;
  void stdout_bell() noexcept override;
  int run_command(const char* command_line) noexcept override;
};

// Text of columns from..to (1-based, inclusive) of a grid row.
std::string screen_text(int row, int from = 1, int to = SCREEN_COLS);
// Attribute of one cell.
int screen_attr(int x, int y);
