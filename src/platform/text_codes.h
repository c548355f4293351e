// Small decoders every reader of typed or stored text needs: the value of a
// hexadecimal digit, the length of a UTF-8 sequence, an ASCII capital.
#pragma once

// 0-15 for 0-9, a-f, A-F; -1 for any other character.
int hex_digit_value(char c) noexcept;
// The bytes of the UTF-8 sequence that lead starts (2, 3 or 4), or 0 when
// lead starts none (ASCII, a continuation byte, an overlong or out-of-range lead).
int utf8_sequence_length(unsigned char lead) noexcept;
// Upper case of the ASCII letters only: code page 437 bytes are no letters of
// whatever 8-bit locale the terminal runs in.
int ascii_upper(int c) noexcept;
