// Whether what a program printed reached its standard output. A listing cut
// short by a full disk or a closed descriptor must not end with status 0: it
// would pass for a good copy.
#pragma once

// Flushes stdout and returns 0 when every byte written to it got through,
// else the errno value of the failure (EIO when none was recorded).
int standard_output_error() noexcept;
