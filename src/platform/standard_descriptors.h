// Descriptors 0, 1 and 2 are where messages and the screen go. Started with
// one of them closed, the next file we open would take its number, and a
// message meant for standard error would land in that file.
#pragma once

// Opens /dev/null on each of 0, 1 and 2 that is closed. False when that
// cannot be done: the caller must then open nothing and stop.
bool ensure_standard_descriptors() noexcept;
// Whether fd (0, 1 or 2) was closed when ensure_standard_descriptors ran:
// output meant for a closed standard output never arrives anywhere, and a
// program that promised it must say so rather than pass.
bool standard_descriptor_was_closed(int fd) noexcept;
