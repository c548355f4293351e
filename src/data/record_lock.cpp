#include "data/record_lock.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "data/setup_record.h"

namespace {

flock record_lock() {
  flock lock{};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = RECORD_SIZE;
  return lock;
}

// An open file description lock has no owning process, so the kernel cannot
// name it; /proc can: a descriptor of that process on this file lists it.
bool holds_lock_on(const std::string& process, const std::string& fd, const struct stat& file) {
  struct stat target{};
  if (stat((process + "/fd/" + fd).c_str(), &target) != 0) return false;
  if (target.st_dev != file.st_dev || target.st_ino != file.st_ino) return false;
  std::ifstream info(process + "/fdinfo/" + fd);
  std::string line;
  while (std::getline(info, line))
    if (line.starts_with("lock:") && line.find("WRITE") != std::string::npos) return true;
  return false;
}

pid_t process_holding(const struct stat& file) {
  DIR* processes = opendir("/proc");
  if (!processes) return 0;
  pid_t found = 0;
  while (dirent* p = found ? nullptr : readdir(processes)) {
    const pid_t pid = static_cast<pid_t>(std::atol(p->d_name));
    if (pid <= 0 || pid == getpid()) continue;
    const std::string process = std::string("/proc/") + p->d_name;
    DIR* fds = opendir((process + "/fd").c_str());
    if (!fds) continue;
    while (dirent* f = found ? nullptr : readdir(fds))
      if (f->d_name[0] != '.' && holds_lock_on(process, f->d_name, file)) found = pid;
    closedir(fds);
  }
  closedir(processes);
  return found;
}

pid_t holder_of(int fd) {
  flock probe = record_lock();
  // A classic lock (another program's) names its process here.
  if (fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK && probe.l_pid > 0) return probe.l_pid;
  struct stat file{};
  return fstat(fd, &file) == 0 ? process_holding(file) : 0;
}

}  // namespace

int lock_record(int fd, pid_t* holder) noexcept {
  *holder = 0;
  flock lock = record_lock();
  if (fcntl(fd, F_OFD_SETLK, &lock) == 0 || (errno != EACCES && errno != EAGAIN)) return 0;
  *holder = holder_of(fd);
  return EAGAIN;
}
