// Descriptors 0, 1 and 2 are where messages and the screen go. Started with
// one of them closed, the next file we open would take its number, and a
// message meant for standard error would land in that file.
#pragma once

// Opens /dev/null, read-only, on each of 0, 1 and 2 that is closed: what is
// written to a closed standard output still fails, so a program that checks
// its output still reports it. False when that cannot be done: the caller
// must then open nothing and stop.
bool ensure_standard_descriptors() noexcept;
