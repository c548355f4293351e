// Texts of the record as people read and type them: code page 437 bytes
// shown in double quotes in the terminal's charset, with C escapes for what
// cannot be shown (control bytes, and every byte above 127 where the charset
// is not UTF-8). \xHH always takes exactly two hex digits.
#pragma once
#include <string>
#include <string_view>

// Quoted text form of bytes (which hold no zero byte).
std::string quote_text(std::string_view bytes, bool utf8);

struct TextParse {
  std::string bytes;
  std::string error;  // empty when the text was read
};
// Reads a value back into code page 437 bytes. A value in double quotes has
// escapes; any other value is taken literally. Either way, characters above
// ASCII must be UTF-8 (when utf8) of a code page 437 character.
TextParse unquote_text(std::string_view value, bool utf8);
