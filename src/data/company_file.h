// The company file: opened once at start-up for update (never created, never
// truncated) and kept open until the program ends. Record 0 is the setup
// record. While we run we hold a write lock on the record, so a second copy
// of this editor cannot start on the same file; other programs (the
// accounting package) may still write it, so a save merges: it writes back
// only the bytes the operator changed, over what the file holds now.
#pragma once
#include <sys/types.h>

#include <string>

#include "data/record_merge.h"
#include "data/setup_record.h"

// Opens the file and locks the record; on failure returns the errno value and
// keeps nothing open. EAGAIN: another process holds the lock (see
// company_file_lock_holder).
int open_company_file(const std::string& path) noexcept;
// The process that held the record's lock when open_company_file last
// returned EAGAIN; 0 when unknown.
pid_t company_file_lock_holder() noexcept;
// Reads record 0 into setup_record(); 0 or an errno value.
int load_setup_record() noexcept;
// Saves setup_record(): reads record 0 again and writes merge_record's result
// as one block, synced. Afterwards setup_record() is what the file holds. On
// failure returns the errno value and puts back the bytes of the record that
// reached the file; the operator's changes stay pending for the next save.
// A save that changed the file is then entered in the history (history.h);
// whether that worked is history_problem(), never this result.
int store_setup_record() noexcept;
void close_company_file() noexcept;
// Closes the descriptor only: safe in a signal handler. Every save has been
// synced already, so nothing buffered is lost.
void close_company_file_from_signal() noexcept;
bool company_file_open() noexcept;

// Why a save was refused before anything was written, beside errno values.
// A save first makes sure it writes the file at the path: a file replaced
// there (renamed over, restored from a backup) is opened and locked in its
// place and the changes are merged into it; when that cannot be done, or the
// file is shorter than when we read it, nothing is written.
constexpr int FILE_REMOVED = -1;        // nothing at the path any more
constexpr int FILE_TRUNCATED = -2;      // shorter than when last read or saved
constexpr int REPLACEMENT_IN_USE = -3;  // replaced by a file another process locks
constexpr int REPLACEMENT_NOT_A_FILE = -4;  // replaced by a device, a FIFO, a folder
// A failed save's reason in a few words, for "not saved: ..." messages.
std::string save_failure_reason(int status);

// The system calls record transfer goes through. Tests replace them to see
// the order of calls and to make a write come up short.
struct CompanyFileCalls {
  ssize_t (*pread)(int fd, void* buffer, size_t size, off_t offset);
  ssize_t (*pwrite)(int fd, const void* buffer, size_t size, off_t offset);
  int (*fsync)(int fd);
};
// nullptr restores the real system calls.
void set_company_file_calls(const CompanyFileCalls* calls) noexcept;
