#include "data/company_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "data/setup_record.h"

namespace {
std::FILE* company = nullptr;
volatile int company_fd = -1;
constexpr int SETUP_RECORD_INDEX = 0;
}  // namespace

int open_company_file(const std::string& path) noexcept {
  close_company_file();
  company = std::fopen(path.c_str(), "rb+e");  // "e": not inherited by the help command
  if (!company) return errno ? errno : EIO;
  company_fd = ::fileno(company);
  return 0;
}

int load_setup_record() noexcept {
  if (!company) return EBADF;
  return read_record(company, setup_record().data(), SETUP_RECORD_INDEX, RECORD_SIZE);
}

int store_setup_record() noexcept {
  if (!company) return EBADF;
  return write_record(company, setup_record().data(), SETUP_RECORD_INDEX, RECORD_SIZE);
}

void close_company_file() noexcept {
  if (!company) return;
  company_fd = -1;
  std::fclose(company);
  company = nullptr;
}

void close_company_file_from_signal() noexcept {
  const int fd = company_fd;
  if (fd >= 0) ::close(fd);
}

bool company_file_open() noexcept { return company != nullptr; }
