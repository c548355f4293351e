// Every terminal key here is a base key plus modifiers; each base key knows
// its four classic scan codes (plain, Shift, Ctrl, Alt). When more than one
// modifier is held, Ctrl wins over Alt, Alt over Shift, as on the PC.
#include "platform/key_decoder_tables.h"

#include "platform/keys.h"
#include "platform/text_codes.h"

namespace key_tables {
namespace {

namespace s = key::scan;

struct Forms {
  int plain, shift, ctrl, alt;
};

constexpr Forms UP{s::UP, s::UP, s::CTRL_UP, s::ALT_UP};
constexpr Forms DOWN{s::DOWN, s::DOWN, s::CTRL_DOWN, s::ALT_DOWN};
constexpr Forms LEFT{s::LEFT, s::LEFT, s::CTRL_LEFT, s::ALT_LEFT};
constexpr Forms RIGHT{s::RIGHT, s::RIGHT, s::CTRL_RIGHT, s::ALT_RIGHT};
constexpr Forms HOME{s::HOME, s::HOME, s::CTRL_HOME, s::ALT_HOME};
constexpr Forms END{s::END, s::END, s::CTRL_END, s::ALT_END};
constexpr Forms PGUP{s::PGUP, s::PGUP, s::CTRL_PGUP, s::ALT_PGUP};
constexpr Forms PGDN{s::PGDN, s::PGDN, s::CTRL_PGDN, s::ALT_PGDN};
constexpr Forms INS{s::INS, s::INS, s::CTRL_INS, s::ALT_INS};
constexpr Forms DEL{s::DEL, s::DEL, s::CTRL_DEL, s::ALT_DEL};
constexpr Forms BACK_TAB{s::SHIFT_TAB, s::SHIFT_TAB, s::SHIFT_TAB, s::SHIFT_TAB};
constexpr Forms F11{s::F11, s::SHIFT_F11, s::CTRL_F11, s::ALT_F11};
constexpr Forms F12{s::F12, s::SHIFT_F12, s::CTRL_F12, s::ALT_F12};

constexpr Forms fkey(int n) {  // F1..F10
  return {s::F1 + n - 1, s::SHIFT_F1 + n - 1, s::CTRL_F1 + n - 1, s::ALT_F1 + n - 1};
}
constexpr Forms F1 = fkey(1), F2 = fkey(2), F3 = fkey(3), F4 = fkey(4), F5 = fkey(5),
                F6 = fkey(6), F7 = fkey(7), F8 = fkey(8), F9 = fkey(9), F10 = fkey(10);

struct Numbered {
  int number;
  Forms forms;
  int implied;  // modifiers the number itself stands for (rxvt, Linux console)
};

// Esc [ number ~ (and rxvt's ^ $ @ finals). 1/4 are tmux's and VT220's Home
// and End, 7/8 rxvt's; 23/24 are F11/F12, which rxvt and the Linux console
// also send for Shift+F1/F2; from 25 on they are Shift+F3..F10.
constexpr Numbered TILDE_KEYS[] = {
    {1, HOME, 0},   {2, INS, 0},    {3, DEL, 0},    {4, END, 0},    {5, PGUP, 0},
    {6, PGDN, 0},   {7, HOME, 0},   {8, END, 0},    {11, F1, 0},    {12, F2, 0},
    {13, F3, 0},    {14, F4, 0},    {15, F5, 0},    {17, F6, 0},    {18, F7, 0},
    {19, F8, 0},    {20, F9, 0},    {21, F10, 0},   {23, F11, 0},   {24, F12, 0},
    {25, F3, SHIFT}, {26, F4, SHIFT}, {28, F5, SHIFT}, {29, F6, SHIFT}, {31, F7, SHIFT},
    {32, F8, SHIFT}, {33, F9, SHIFT}, {34, F10, SHIFT},
};

struct Lettered {
  char letter;
  Forms forms;
  int implied;
};

// Final letters of Esc [ ... and Esc O ...; lower-case a-d are rxvt's
// Shift+arrows after '[' and Ctrl+arrows after 'O'.
constexpr Lettered CSI_LETTERS[] = {
    {'A', UP, 0},   {'B', DOWN, 0},  {'C', RIGHT, 0}, {'D', LEFT, 0},  {'F', END, 0},
    {'H', HOME, 0}, {'P', F1, 0},    {'Q', F2, 0},    {'R', F3, 0},    {'S', F4, 0},
    {'Z', BACK_TAB, 0}, {'a', UP, SHIFT}, {'b', DOWN, SHIFT}, {'c', RIGHT, SHIFT},
    {'d', LEFT, SHIFT},
};
constexpr Lettered SS3_LETTERS[] = {
    {'A', UP, 0},   {'B', DOWN, 0},  {'C', RIGHT, 0}, {'D', LEFT, 0},  {'F', END, 0},
    {'H', HOME, 0}, {'P', F1, 0},    {'Q', F2, 0},    {'R', F3, 0},    {'S', F4, 0},
    {'a', UP, CTRL}, {'b', DOWN, CTRL}, {'c', RIGHT, CTRL}, {'d', LEFT, CTRL},
};

// Keypad keys in application mode (sent after keypad transmit is switched on).
constexpr struct {
  char letter;
  char key;
} KEYPAD[] = {
    {'M', 13},  {'X', '='}, {'j', '*'}, {'k', '+'}, {'l', ','}, {'m', '-'}, {'n', '.'},
    {'o', '/'}, {'p', '0'}, {'q', '1'}, {'r', '2'}, {'s', '3'}, {'t', '4'}, {'u', '5'},
    {'v', '6'}, {'w', '7'}, {'x', '8'}, {'y', '9'},
};

// Alt+letter scan codes follow the keyboard rows: QWERTYUIOP, ASDFGHJKL, ZXCVBNM.
constexpr char ALT_ROWS[] = "QWERTYUIOP\0\0\0\0ASDFGHJKL\0\0\0\0\0ZXCVBNM";
constexpr int ALT_ROWS_FIRST_SCAN = 0x10;

// Alt with the other keys of the typewriter block, as a PC reports them.
constexpr struct {
  unsigned char c;
  int scan;
} ALT_KEYS[] = {
    {'\r', s::ALT_ENTER},    {'\n', s::ALT_ENTER},        {'\t', s::ALT_TAB},
    {0x7F, s::ALT_BACKSPACE}, {0x08, s::ALT_BACKSPACE},    {'[', s::ALT_LEFT_BRACKET},
    {']', s::ALT_RIGHT_BRACKET}, {';', s::ALT_SEMICOLON},  {'\'', s::ALT_QUOTE},
    {'`', s::ALT_BACKQUOTE},  {'\\', s::ALT_BACKSLASH},    {',', s::ALT_COMMA},
    {'.', s::ALT_PERIOD},     {'/', s::ALT_SLASH},
};

int pick(const Forms& forms, int mods) {
  if (mods & CTRL) return key::extended(forms.ctrl);
  if (mods & (ALT | META)) return key::extended(forms.alt);
  if (mods & SHIFT) return key::extended(forms.shift);
  return key::extended(forms.plain);
}

// Numbers of a parameter string "1;5" into first and second; false when the
// string holds anything but digits and ';' (private reports such as mouse
// "<0;3;4" are no keys).
bool parse_params(std::string_view params, int& first, int& second) {
  int values[2] = {0, 0};
  int index = 0;
  for (char c : params) {
    if (c == ';') {
      if (++index > 1) break;  // further parameters carry nothing we use
    } else if (c >= '0' && c <= '9') {
      values[index] = values[index] * 10 + (c - '0');
      if (values[index] > 9999) return false;
    } else {
      return false;
    }
  }
  first = values[0];
  second = values[1];
  return true;
}

int modifiers(int xterm_param) { return xterm_param > 1 ? xterm_param - 1 : 0; }

int final_modifiers(char final_byte) {
  switch (final_byte) {
    case '^': return CTRL;
    case '$': return SHIFT;
    case '@': return CTRL | SHIFT;
    default: return 0;
  }
}

template <typename Table>
const Lettered* find_letter(const Table& table, char letter) {
  for (const Lettered& entry : table)
    if (entry.letter == letter) return &entry;
  return nullptr;
}

}  // namespace

int csi_key(std::string_view params, char final_byte) noexcept {
  int first = 0, second = 0;
  if (!parse_params(params, first, second)) return 0;
  const int mods = modifiers(second) | final_modifiers(final_byte);
  if (final_byte == '~' || final_byte == '^' || final_byte == '$' || final_byte == '@') {
    for (const Numbered& entry : TILDE_KEYS)
      if (entry.number == first) return pick(entry.forms, mods | entry.implied);
    return 0;
  }
  const Lettered* entry = find_letter(CSI_LETTERS, final_byte);
  return entry ? pick(entry->forms, mods | entry->implied) : 0;
}

int ss3_key(std::string_view digits, char final_byte) noexcept {
  int param = 0, unused = 0;
  if (!parse_params(digits, param, unused)) return 0;
  if (const Lettered* entry = find_letter(SS3_LETTERS, final_byte))
    return pick(entry->forms, modifiers(param) | entry->implied);
  for (const auto& pad : KEYPAD)
    if (pad.letter == final_byte) return pad.key;
  return 0;
}

int linux_console_key(char final_byte) noexcept {
  if (final_byte < 'A' || final_byte > 'E') return 0;
  return key::extended(s::F1 + (final_byte - 'A'));
}

int alt_key(unsigned char c) noexcept {
  c = static_cast<unsigned char>(ascii_upper(c));
  if (c >= 'A' && c <= 'Z') {
    for (int i = 0; i < static_cast<int>(sizeof ALT_ROWS) - 1; ++i)
      if (ALT_ROWS[i] == static_cast<char>(c)) return key::extended(ALT_ROWS_FIRST_SCAN + i);
    return 0;
  }
  if (c >= '1' && c <= '9') return key::extended(s::ALT_1 + (c - '1'));
  if (c == '0') return key::extended(s::ALT_1 + 9);
  if (c == '-') return key::extended(s::ALT_1 + 10);
  if (c == '=') return key::extended(s::ALT_1 + 11);
  for (const auto& entry : ALT_KEYS)
    if (entry.c == c) return key::extended(entry.scan);
  return 0;
}

}  // namespace key_tables
