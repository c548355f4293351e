// The write lock on the record (bytes 0-1023 of the company file) that keeps
// a second editor off it. An open file description lock: only the
// descriptor that took it gives it up, so opening and closing the same file
// elsewhere in the process (SETUP.<ext> may be a hard link to it) cannot
// drop it as closing any descriptor drops a classic record lock.
#pragma once
#include <sys/types.h>

// 0, or EAGAIN with *holder set to the process that holds the record (0
// when it cannot be told). A file system without locks is no reason to
// refuse: the merging save still keeps other writers' bytes.
int lock_record(int fd, pid_t* holder) noexcept;
