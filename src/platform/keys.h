// KeyCodes as the rest of the program sees them: a plain key is its
// character code, an extended key is its second (scan) code shifted left by
// 8 bits. Named here, in the lowest layer, so the key decoder and the
// keyboard layer above share one set of names.
#pragma once

namespace key {

constexpr int BACKSPACE = 8;
constexpr int TAB = 9;
constexpr int LINE_FEED = 10;
constexpr int ENTER = 13;
constexpr int CTRL_C = 3;
constexpr int CTRL_X = 24;
constexpr int ESC = 27;
constexpr int SPACE = 32;
constexpr int DEL = 127;  // also Ctrl+Backspace

// scan codes (the second byte of an extended key)
namespace scan {
constexpr int SHIFT_TAB = 0x0F;
constexpr int F1 = 0x3B;        // F1..F10 = 0x3B..0x44
constexpr int HOME = 0x47;
constexpr int UP = 0x48;
constexpr int PGUP = 0x49;
constexpr int LEFT = 0x4B;
constexpr int RIGHT = 0x4D;
constexpr int END = 0x4F;
constexpr int DOWN = 0x50;
constexpr int PGDN = 0x51;
constexpr int INS = 0x52;
constexpr int DEL = 0x53;
constexpr int SHIFT_F1 = 0x54;  // ..0x5D
constexpr int CTRL_F1 = 0x5E;   // ..0x67
constexpr int ALT_F1 = 0x68;    // ..0x71
constexpr int CTRL_LEFT = 0x73;
constexpr int CTRL_RIGHT = 0x74;
constexpr int CTRL_END = 0x75;  // the help key
constexpr int CTRL_PGDN = 0x76;
constexpr int CTRL_HOME = 0x77;
constexpr int ALT_1 = 0x78;     // Alt+1..Alt+9, Alt+0 = 0x78..0x81
constexpr int CTRL_PGUP = 0x84;
constexpr int F11 = 0x85;
constexpr int F12 = 0x86;
constexpr int SHIFT_F11 = 0x87;
constexpr int SHIFT_F12 = 0x88;
constexpr int CTRL_F11 = 0x89;
constexpr int CTRL_F12 = 0x8A;
constexpr int ALT_F11 = 0x8B;
constexpr int ALT_F12 = 0x8C;
constexpr int CTRL_UP = 0x8D;
constexpr int CTRL_DOWN = 0x91;
constexpr int CTRL_INS = 0x92;
constexpr int CTRL_DEL = 0x93;
constexpr int ALT_HOME = 0x97;
constexpr int ALT_UP = 0x98;
constexpr int ALT_PGUP = 0x99;
constexpr int ALT_LEFT = 0x9B;
constexpr int ALT_RIGHT = 0x9D;
constexpr int ALT_END = 0x9F;
constexpr int ALT_DOWN = 0xA0;
constexpr int ALT_PGDN = 0xA1;
constexpr int ALT_INS = 0xA2;
constexpr int ALT_DEL = 0xA3;
// Alt with a key of the typewriter block that has no letter or digit.
constexpr int ALT_BACKSPACE = 0x0E;
constexpr int ALT_LEFT_BRACKET = 0x1A;
constexpr int ALT_RIGHT_BRACKET = 0x1B;
constexpr int ALT_ENTER = 0x1C;
constexpr int ALT_SEMICOLON = 0x27;
constexpr int ALT_QUOTE = 0x28;
constexpr int ALT_BACKQUOTE = 0x29;
constexpr int ALT_BACKSLASH = 0x2B;
constexpr int ALT_COMMA = 0x33;
constexpr int ALT_PERIOD = 0x34;
constexpr int ALT_SLASH = 0x35;
constexpr int ALT_TAB = 0xA5;
// Ours, past every PC scan code: Alt with any other key (no dialog uses it),
// and a pasted character (see key::pasted).
constexpr int ALT_OTHER = 0xF0;
constexpr int PASTED = 0xF1;
}  // namespace scan

constexpr int extended(int scan_code) { return scan_code << 8; }

constexpr int HOME = extended(scan::HOME);
constexpr int UP = extended(scan::UP);
constexpr int PGUP = extended(scan::PGUP);
constexpr int LEFT = extended(scan::LEFT);
constexpr int RIGHT = extended(scan::RIGHT);
constexpr int END = extended(scan::END);
constexpr int DOWN = extended(scan::DOWN);
constexpr int PGDN = extended(scan::PGDN);
constexpr int INS = extended(scan::INS);
constexpr int CTRL_LEFT = extended(scan::CTRL_LEFT);
constexpr int CTRL_DEL = extended(scan::CTRL_DEL);
constexpr int F1 = extended(scan::F1);
constexpr int F10 = extended(scan::F1 + 9);
constexpr int SHIFT_F1 = extended(scan::SHIFT_F1);
constexpr int ALT_F10 = extended(scan::ALT_F1 + 9);
constexpr int F11 = extended(scan::F11);
constexpr int F12 = extended(scan::F12);
constexpr int ALT_F12 = extended(scan::ALT_F12);
constexpr int ALT_OTHER = extended(scan::ALT_OTHER);
// A pasted character: one KeyCode that carries its code page 437 byte in the
// low bits. Only a field takes it, as typed text; everything else ignores it.
constexpr int pasted(int byte) { return extended(scan::PASTED) | (byte & 0xFF); }
constexpr bool is_pasted(int key_code) { return (key_code & ~0xFF) == extended(scan::PASTED); }
constexpr int pasted_byte(int key_code) { return key_code & 0xFF; }

// The KeyCode that read_key_ext reports after the help overlay has run.
constexpr int HELP_DONE = 0;

}  // namespace key
