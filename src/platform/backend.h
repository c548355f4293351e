// The two back ends behind the grid: the real terminal and the scripted
// console of the tests. The grid calls these operations only.
#pragma once
#include "platform/screen.h"

struct ConsoleBackend {
  virtual ~ConsoleBackend() = default;
  // Make the device show the grid and its cursor.
  virtual void present(const Grid& grid) noexcept = 0;
  // Next getch value: a plain key 1..255 with 128..255 as -128..-1, or 0
  // followed, on the next call, by the scan code (1..255, positive) or a
  // pasted character's whole KeyCode (key::pasted). Blocks.
  virtual int read_byte() noexcept = 0;
  // True when a key is waiting or arrives within timeout_ms.
  virtual bool key_ready(int timeout_ms) noexcept = 0;
  virtual void bell() noexcept = 0;
  virtual void stdout_bell() noexcept = 0;
  virtual int run_command(const char* command_line) noexcept = 0;
};

// The grid talks to this back end; nullptr means none (drawing still works,
// reading a key aborts).
void set_console_backend(ConsoleBackend* backend) noexcept;
