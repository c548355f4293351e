// The built-in key tables: which escape sequences the terminals we know send
// for which key, in xterm, VTE, tmux/screen, rxvt and Linux console forms.
// Only the key decoder uses them.
#pragma once
#include <string_view>

#include "platform/key_decoder.h"

namespace key_tables {

// Modifier bits as xterm encodes them (its parameter minus one).
constexpr int SHIFT = 1;
constexpr int ALT = 2;
constexpr int CTRL = 4;
constexpr int META = 8;  // treated as Alt

// A complete CSI sequence: Esc, '[', parameter bytes, final byte. Returns
// the key, or 0 for a sequence that is no key (a report, a paste marker).
int csi_key(std::string_view params, char final_byte) noexcept;
// Esc O, optional modifier digits, final byte.
int ss3_key(std::string_view digits, char final_byte) noexcept;
// The Linux console's F1-F5: Esc [ [ A .. E.
int linux_console_key(char final_byte) noexcept;
// Esc followed by c, typed with Alt: the classic Alt scan code, or 0 for a
// key the PC gave no Alt code.
int alt_key(unsigned char c) noexcept;

}  // namespace key_tables
