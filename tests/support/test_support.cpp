#include "support/test_support.h"

#include "console/keyboard.h"
#include "data/catalogue.h"
#include "data/company_file.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "shell/menu_bar.h"

void ConsoleTest::SetUp() {
  console = ScriptedConsole();
  screen_reset();
  set_console_backend(&console);
  setup_record().fill(0);
  load_catalogue_bytes("");
  reset_help_command();
  reset_menu_bar();
}

void ConsoleTest::TearDown() { set_console_backend(nullptr); }

bool MessageSpy::key_ready(int timeout_ms) noexcept {
  shown = screen_text(25, 41, 71);
  all_shown.push_back(shown);
  return ScriptedConsole::key_ready(timeout_ms);
}

void use_catalogue(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& l : lines) bytes += l + "\n";
  load_catalogue_bytes(bytes);
}

void use_numbered_catalogue(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(std::string("L").append(std::to_string(i)));
  use_catalogue(lines);
}

void DialogTest::SetUp() {
  ConsoleTest::SetUp();
  use_numbered_catalogue();
  for (size_t i = 0; i < original.size(); ++i) original[i] = static_cast<uint8_t>(i * 13 + 1);
  reset_record();
}

void DialogTest::reset_record() {
  close_company_file();
  setup_record() = original;
  dir.write("DITTA.001", bytes(original));
  watch.emplace(dir.file("DITTA.001"));
  ASSERT_EQ(open_company_file(dir.file("DITTA.001")), 0);
}

void DialogTest::TearDown() {
  close_company_file();
  ConsoleTest::TearDown();
}

void DialogTest::retype(const std::string& text) {
  console.press(key::CTRL_X);
  console.type(text);
  console.press(key::ENTER);
}
