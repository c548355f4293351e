// Texts of the record as people read and type them: code page 437 bytes
// shown in double quotes as UTF-8 whatever the locale (a dump made anywhere
// reads back the same anywhere), with C escapes for the control bytes.
// \xHH always takes exactly two hex digits.
#pragma once
#include <string>
#include <string_view>

// Quoted text form of bytes (which hold no zero byte).
std::string quote_text(std::string_view bytes);

struct TextParse {
  std::string bytes;
  std::string error;  // empty when the text was read
};
// Reads a value back into code page 437 bytes. A value in double quotes has
// escapes; any other value is taken literally. Either way, characters above
// ASCII must be the UTF-8 of a code page 437 character.
TextParse unquote_text(std::string_view value);
// The same for a value that is never quoted and has no escapes.
TextParse literal_text(std::string_view value);
