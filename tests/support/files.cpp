#include "support/files.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

InDirectory::InDirectory(const std::string& path) : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(path);
}

InDirectory::~InDirectory() { std::filesystem::current_path(previous_); }

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
