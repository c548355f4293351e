// Shared test helpers: a scripted console installed for each test, a fresh
// record and catalogue, and a company file watched for writes.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/setup_record.h"
#include "platform/scripted_console.h"
#include "support/files.h"

// Installs a fresh ScriptedConsole, blank grid, zeroed record, empty
// catalogue, menu bar on item 1, no help command; undone in TearDown.
class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  ScriptedConsole console;
};

// A scripted console that keeps the message area (row 25, columns 41-71) as
// it stood whenever the program looked for a key: a message is seen while up.
struct MessageSpy : ScriptedConsole {
  std::string shown;
  std::vector<std::string> all_shown;  // every look, in order
  bool key_ready(int timeout_ms) noexcept override;
};

// Loads catalogue lines (index = position in the vector).
void use_catalogue(const std::vector<std::string>& lines);
// Catalogue whose line i reads "Ln" + i (e.g. "L13"), for lines 0..count-1.
void use_numbered_catalogue(int count = 140);

// A ConsoleTest with a company file open on a record that holds `original`
// (every byte a different pattern value), for dialogs that save.
class DialogTest : public ConsoleTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes `original` to the file and the in-memory record, and starts
  // watching the file for writes.
  void reset_record();
  // Whether anything wrote the file since reset_record or the last call.
  bool file_written() { return watch->written(); }
  std::string file() const { return dir.read("DITTA.001"); }
  std::string bytes(const SetupRecord& r) const { return std::string(reinterpret_cast<const char*>(r.data()), r.size()); }
  // Keys that clear the field being edited, type text and accept it.
  void retype(const std::string& text);
  TempDir dir;
  SetupRecord original;
  std::optional<WriteWatch> watch;
};
