// The charset of the operator's locale, which decides how code page 437
// bytes are shown and read back: as UTF-8, or as bytes of their own.
#pragma once

// Takes LC_CTYPE from the environment (the charset only: numbers keep '.')
// and tells whether its charset is UTF-8.
bool locale_is_utf8() noexcept;
