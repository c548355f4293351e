#include "support/test_support.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "console/keyboard.h"
#include "data/catalogue.h"
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

TempDir::TempDir() {
  char pattern[] = "/tmp/setupedit-test-XXXXXX";
  path = mkdtemp(pattern);
}

TempDir::~TempDir() { std::filesystem::remove_all(path); }

void TempDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream(file(name), std::ios::binary) << bytes;
}

std::string TempDir::read(const std::string& name) const {
  std::ifstream in(file(name), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string hex(const std::string& bytes) {
  std::string out;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02x", c);
    out += b;
  }
  return out;
}

WriteWatch::WriteWatch(const std::string& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0 || inotify_add_watch(fd_, path.c_str(), IN_MODIFY) < 0) ADD_FAILURE() << "cannot watch " << path;
}

WriteWatch::~WriteWatch() {
  if (fd_ >= 0) ::close(fd_);
}

bool WriteWatch::written() {
  bool any = false;
  alignas(inotify_event) char events[4096];
  while (::read(fd_, events, sizeof events) > 0) any = true;
  return any;
}

#include "data/company_file.h"
#include "platform/keys.h"

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
