#include "platform/scripted_console.h"

#include <cstdio>
#include <cstdlib>

#include "platform/keys.h"

void ScriptedConsole::press(int key_code) {
  if (key::is_pasted(key_code)) {
    keys.push_back(0);
    keys.push_back(key_code);
  } else if (key_code > 0xFF) {
    keys.push_back(0);
    keys.push_back(key_code >> 8);
  } else {
    keys.push_back(static_cast<signed char>(key_code));
  }
}

void ScriptedConsole::press(std::initializer_list<int> key_codes) {
  for (int k : key_codes) press(k);
}

void ScriptedConsole::type(const std::string& text) {
  for (char c : text) press(static_cast<unsigned char>(c));
}

void ScriptedConsole::paste(const std::string& text) {
  for (char c : text) press(key::pasted(static_cast<unsigned char>(c)));
}

void ScriptedConsole::present(const Grid&) noexcept { ++presents; }

int ScriptedConsole::read_byte() noexcept {
  if (keys.empty()) {
    std::fprintf(stderr, "scripted console: the program read a key past the end of the script\n");
    std::abort();
  }
  const int k = keys.front();
  keys.pop_front();
  return k;
}

bool ScriptedConsole::key_ready(int) noexcept { return !keys.empty(); }
void ScriptedConsole::bell() noexcept { ++bells; }
void ScriptedConsole::stdout_bell() noexcept { ++stdout_bells; }

int ScriptedConsole::run_command(const char* command_line) noexcept {
  commands.emplace_back(command_line);
  if (during_command) during_command();
  return command_status;
}

std::string screen_text(int row, int from, int to) {
  std::string s;
  for (int x = from; x <= to; ++x) s += static_cast<char>(screen_grid().cells[row - 1][x - 1].ch);
  return s;
}

int screen_attr(int x, int y) { return screen_grid().cells[y - 1][x - 1].attr; }
