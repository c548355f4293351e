// Bytes and times in, keys out. Every key of the KeyCode table is checked in
// the forms xterm, tmux (any TERM inside it), rxvt and the Linux console send.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/key_decoder.h"
#include "platform/keys.h"
#include "platform/terminfo.h"

namespace {

constexpr int REFUSED = KeyDecoder::REFUSED;
constexpr int PASTED = KeyDecoder::PASTED;
constexpr int X(int scan) { return key::extended(scan); }

// Input as it would be typed in a terminal description: \E for Esc, ^X for
// other control bytes, \xNN above 0x7E.
std::string shown(const std::string& bytes) {
  std::string s;
  for (unsigned char c : bytes) {
    if (c == 0x1B) {
      s += "\\E";
    } else if (c < 0x20) {
      s += '^';
      s += static_cast<char>(c + 0x40);
    } else if (c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      s += hex;
    } else {
      s += static_cast<char>(c);
    }
  }
  return s;
}

struct Read {
  std::string bytes;
  int64_t at_ms;
};

// Feeds the reads in order, then lets the input fall silent for a second.
std::vector<int> decode(const std::vector<Read>& reads, bool utf8 = true,
                        const std::vector<std::pair<std::string, int>>& added = {}, int erase = 0x7F,
                        bool meta = false) {
  KeyDecoder decoder(utf8, erase, meta);
  for (const auto& [bytes, key] : added) decoder.add_sequence(bytes, key);
  std::vector<int> keys;
  int64_t last = 0;
  for (const Read& read : reads) {
    for (int k : decoder.feed(read.bytes, read.at_ms)) keys.push_back(k);
    last = read.at_ms;
  }
  for (int k : decoder.tick(last + 1000)) keys.push_back(k);
  return keys;
}

void check(const std::vector<Read>& reads, const std::vector<int>& expected, bool utf8 = true) {
  std::string input;
  for (const Read& r : reads) input += "[" + shown(r.bytes) + " @" + std::to_string(r.at_ms) + "ms] ";
  EXPECT_EQ(decode(reads, utf8), expected) << "input: " << input;
}

void check(const std::string& bytes, const std::vector<int>& expected, bool utf8 = true) {
  check(std::vector<Read>{{bytes, 0}}, expected, utf8);
}

struct Case {
  const char* bytes;
  int key;
};

void check_each(const char* terminal, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(terminal);
    check(c.bytes, {c.key});
  }
}

// F1..F12 and their Shift, Ctrl and Alt forms: the scan codes of the table.
struct FunctionKey {
  int plain, shift, ctrl, alt;
};
constexpr FunctionKey FKEYS[12] = {
    {0x3B, 0x54, 0x5E, 0x68}, {0x3C, 0x55, 0x5F, 0x69}, {0x3D, 0x56, 0x60, 0x6A},
    {0x3E, 0x57, 0x61, 0x6B}, {0x3F, 0x58, 0x62, 0x6C}, {0x40, 0x59, 0x63, 0x6D},
    {0x41, 0x5A, 0x64, 0x6E}, {0x42, 0x5B, 0x65, 0x6F}, {0x43, 0x5C, 0x66, 0x70},
    {0x44, 0x5D, 0x67, 0x71}, {0x85, 0x87, 0x89, 0x8B}, {0x86, 0x88, 0x8A, 0x8C},
};
constexpr const char* XTERM_F1_F4 = "PQRS";
constexpr int XTERM_F_NUMBER[12] = {11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 23, 24};

// xterm and tmux: F1-F4 as SS3 P-S (modified: CSI 1;m P-S), F5-F12 as CSI n~.
std::string xterm_fkey(int n, int modifier) {
  std::string s = "\x1b";
  if (n <= 4) {
    s += modifier == 1 ? "O" : "[1;" + std::to_string(modifier);
    return s + XTERM_F1_F4[n - 1];
  }
  s += "[" + std::to_string(XTERM_F_NUMBER[n - 1]);
  if (modifier != 1) s += ";" + std::to_string(modifier);
  return s + "~";
}

TEST(KeyDecoder, FunctionKeysWithEveryModifierInXtermForm) {
  for (int n = 1; n <= 12; ++n) {
    const FunctionKey& f = FKEYS[n - 1];
    check(xterm_fkey(n, 1), {X(f.plain)});
    check(xterm_fkey(n, 2), {X(f.shift)});
    check(xterm_fkey(n, 5), {X(f.ctrl)});
    check(xterm_fkey(n, 3), {X(f.alt)});
    check(xterm_fkey(n, 6), {X(f.ctrl)});  // Ctrl+Shift: Ctrl wins, as on the PC
  }
}

TEST(KeyDecoder, EditingKeysInXterm) {
  check_each("xterm", {
      {"\x1b[A", key::UP},        {"\x1bOA", key::UP},       {"\x1b[B", key::DOWN},
      {"\x1bOB", key::DOWN},      {"\x1b[D", key::LEFT},     {"\x1bOD", key::LEFT},
      {"\x1b[C", key::RIGHT},     {"\x1bOC", key::RIGHT},    {"\x1b[H", key::HOME},
      {"\x1bOH", key::HOME},      {"\x1b[F", key::END},      {"\x1bOF", key::END},
      {"\x1b[5~", key::PGUP},     {"\x1b[6~", key::PGDN},    {"\x1b[2~", key::INS},
      {"\x1b[3~", 0x5300},        {"\x1b[3;5~", key::CTRL_DEL}, {"\x1b[1;5F", 0x7500},
      {"\x1b[1;5H", 0x7700},      {"\x1b[1;5D", key::CTRL_LEFT}, {"\x1b[1;5C", 0x7400},
      {"\x1b[1;5A", 0x8D00},      {"\x1b[1;5B", 0x9100},     {"\x1b[5;5~", 0x8400},
      {"\x1b[6;5~", 0x7600},      {"\x1b[1;3A", 0x9800},     {"\x1b[1;3D", 0x9B00},
      {"\x1b[1;2A", key::UP},     {"\x1b[Z", 0x0F00},        {"\x1b[1;2F", key::END},
  });
}

// tmux 3.3 as captured with send-keys (TERM=screen inside it): Home and End
// as \E[1~ and \E[4~, cursor keys in SS3 form once keypad transmit is on.
TEST(KeyDecoder, EditingKeysInTmux) {
  check_each("tmux", {
      {"\x1bOA", key::UP},      {"\x1bOB", key::DOWN},    {"\x1bOD", key::LEFT},
      {"\x1bOC", key::RIGHT},   {"\x1b[1~", key::HOME},   {"\x1b[4~", key::END},
      {"\x1b[5~", key::PGUP},   {"\x1b[6~", key::PGDN},   {"\x1b[2~", key::INS},
      {"\x1b[3~", 0x5300},      {"\x1b[3;5~", 0x9300},    {"\x1b[1;5F", 0x7500},
      {"\x1b[1;5H", 0x7700},    {"\x1b[1;5A", 0x8D00},    {"\x1b[1;5D", 0x7300},
      {"\x1b[5;5~", 0x8400},    {"\x1b[1;3A", 0x9800},    {"\x1b" "a", 0x1E00},
      {"\x1b[1;2P", 0x5400},    {"\x1b[15;3~", 0x6C00},   {"\x1b[24;5~", 0x8A00},
      {"\x7f", key::BACKSPACE}, {"\r", key::ENTER},
  });
}

// rxvt: Home/End as \E[7~ \E[8~, modifiers in the final byte (^ Ctrl,
// $ Shift), Shift+F1/F2 are F11/F12 and Shift+F3.. count on from 25.
TEST(KeyDecoder, KeysInRxvt) {
  check_each("rxvt", {
      {"\x1b[7~", key::HOME},   {"\x1b[8~", key::END},    {"\x1b[7^", 0x7700},
      {"\x1b[8^", 0x7500},      {"\x1b[3^", 0x9300},      {"\x1b[7$", key::HOME},
      {"\x1b[11~", key::F1},    {"\x1b[14~", 0x3E00},     {"\x1b[23~", key::F11},
      {"\x1b[24~", key::F12},   {"\x1b[25~", 0x5600},     {"\x1b[26~", 0x5700},
      {"\x1b[28~", 0x5800},     {"\x1b[29~", 0x5900},     {"\x1b[31~", 0x5A00},
      {"\x1b[32~", 0x5B00},     {"\x1b[33~", 0x5C00},     {"\x1b[34~", 0x5D00},
      {"\x1b[23$", 0x8700},     {"\x1b[24$", 0x8800},     {"\x1b[11^", 0x5E00},
      {"\x1b[21^", 0x6700},     {"\x1b[23^", 0x8900},     {"\x1b[24@", 0x8A00},
      {"\x1bOa", 0x8D00},       {"\x1bOd", 0x7300},       {"\x1b[a", key::UP},
  });
}

// The Linux console sends no modifiers; its Shift+F1/F2 arrive as F11/F12.
TEST(KeyDecoder, KeysOnTheLinuxConsole) {
  check_each("linux", {
      {"\x1b[[A", key::F1},   {"\x1b[[B", 0x3C00},    {"\x1b[[C", 0x3D00},
      {"\x1b[[D", 0x3E00},    {"\x1b[[E", 0x3F00},    {"\x1b[17~", 0x4000},
      {"\x1b[18~", 0x4100},   {"\x1b[19~", 0x4200},   {"\x1b[20~", 0x4300},
      {"\x1b[21~", key::F10}, {"\x1b[23~", key::F11}, {"\x1b[24~", key::F12},
      {"\x1b[25~", 0x5600},   {"\x1b[34~", 0x5D00},   {"\x1b[1~", key::HOME},
      {"\x1b[4~", key::END},  {"\x1b[2~", key::INS},  {"\x1b[3~", 0x5300},
      {"\x1b[5~", key::PGUP}, {"\x1b[6~", key::PGDN}, {"\x1b[A", key::UP},
  });
}

TEST(KeyDecoder, SingleBytes) {
  check("\x7f", {key::BACKSPACE});
  check("\x08", {key::DEL});
  check("\r\n\t", {13, 10, 9});
  check("\x01\x03\x18\x19\x1a\x1c", {1, 3, 24, 25, 26, 28});
  check(std::string("a\0b", 3), {'a', 'b'});  // NUL is swallowed
  check(" ~", {' ', '~'});
  check("\xe9\x82", {0xE9, 0x82}, false);  // no UTF-8: bytes are code page 437
}

TEST(KeyDecoder, AltWithLettersAndDigits) {
  check("\x1bq\x1bP\x1b" "a\x1bL\x1bz\x1bM", {0x1000, 0x1900, 0x1E00, 0x2600, 0x2C00, 0x3200});
  check("\x1b" "1\x1b" "9\x1b" "0", {0x7800, 0x8000, 0x8100});
}

// Esc and one byte within the Esc time is one Alt key, never Esc: with no
// classic Alt code it is ALT_OTHER, which no dialog takes.
TEST(KeyDecoder, AltWithEveryOtherKey) {
  struct AltCase {
    std::vector<Read> reads;
    std::vector<int> keys;
  };
  const AltCase cases[] = {
      {{{"\x1b\r", 0}}, {X(0x1C)}},                  // Alt+Enter
      {{{"\x1b", 0}, {"\r", 20}}, {X(0x1C)}},         // still within the Esc time
      {{{"\x1b", 0}, {"\r", 25}}, {key::ESC, key::ENTER}},  // late: Esc, then Enter
      {{{"\x1b\x7f", 0}}, {X(0x0E)}},                 // Alt+Backspace
      {{{"\x1b\t", 0}}, {X(0xA5)}},                   // Alt+Tab
      {{{"\x1b.\x1b/\x1b,", 0}}, {X(0x34), X(0x35), X(0x33)}},
      {{{"\x1b;\x1b'\x1b`\x1b\\\x1b]", 0}}, {X(0x27), X(0x28), X(0x29), X(0x2B), X(0x1B)}},
      {{{"\x1b ", 0}}, {key::ALT_OTHER}},
      {{{"\x1b!\x1b~\x1b\x01", 0}}, {key::ALT_OTHER, key::ALT_OTHER, key::ALT_OTHER}},
      {{{"\x1b\xc3\xa9", 0}}, {key::ALT_OTHER}},     // Alt+é: the whole character
      {{{"\x1b\xc3", 0}, {"\xa9x", 3}}, {key::ALT_OTHER, 'x'}},
      {{{"\x1b[", 0}}, {X(0x1A)}},                     // Alt+[, once it is clear
      {{{"\x1b\x1b", 0}}, {key::ESC, key::ESC}},      // Esc twice stays Esc twice
  };
  for (const AltCase& c : cases) check(c.reads, c.keys);
  check("\x1b\x82", {key::ALT_OTHER}, false);  // a code page 437 byte
}

// A meta key that sets bit 7 (xterm and GNU screen in an 8-bit locale): the
// high byte is Alt with the key of the low bits, never a typed character;
// pasted text and UTF-8 input stay text.
TEST(KeyDecoder, MetaBitIsAltOnlyWithoutUtf8) {
  struct MetaCase {
    bool utf8, meta;
    std::string bytes;
    std::vector<int> keys;
  };
  const MetaCase cases[] = {
      {false, true, "\xf8\x8d\xa1", {X(0x2D), X(0x1C), key::ALT_OTHER}},  // Alt+x, Alt+Enter, Alt+!
      {false, true, "\x1b[200~\xf8\x1b[201~", {PASTED | 0xF8}},
      {false, false, "\xf8", {0xF8}},                   // no meta key: code page 437
      {true, true, "\xc3\xa9", {0x82}},                 // UTF-8: é
  };
  for (const MetaCase& c : cases)
    EXPECT_EQ(decode({{c.bytes, 0}}, c.utf8, {}, 0x7F, c.meta), c.keys)
        << shown(c.bytes) << (c.utf8 ? " utf8" : "") << (c.meta ? " meta" : "");
}

// The terminal's erase byte (termios VERASE) is Backspace; the other of ^H
// and ^? is Ctrl+Backspace (Del's KeyCode).
TEST(KeyDecoder, EraseByteFromTheTerminal) {
  struct EraseCase {
    int erase;
    const char* bytes;
    std::vector<int> keys;
  };
  const EraseCase cases[] = {
      {0x7F, "\x7f\x08", {key::BACKSPACE, key::DEL}},
      {0x08, "\x7f\x08", {key::DEL, key::BACKSPACE}},
      {0x08, "\x1b\x08", {X(0x0E)}},
      {0x00, "\x7f\x08", {key::BACKSPACE, key::DEL}},   // erase disabled: the usual ^?
      {'#', "\x7f#", {key::BACKSPACE, '#'}},             // an old-style erase character
  };
  for (const EraseCase& c : cases)
    EXPECT_EQ(decode({{c.bytes, 0}}, true, {}, c.erase), c.keys) << "erase " << c.erase << ": " << shown(c.bytes);
}

// Bracketed paste: every character pasted, control bytes dropped, so a paste
// can only type; the end marker may be cut anywhere.
TEST(KeyDecoder, BracketedPasteOnlyTypes) {
  struct PasteCase {
    const char* name;
    std::vector<Read> reads;
    std::vector<int> keys;
  };
  const PasteCase cases[] = {
      {"plain text", {{"\x1b[200~ab 1.5\x1b[201~", 0}},
       {PASTED | 'a', PASTED | 'b', PASTED | ' ', PASTED | '1', PASTED | '.', PASTED | '5'}},
      {"line ends, tabs, Esc and Del dropped", {{"\x1b[200~a\r\nb\tc\x1b\x7f\x03" "d\x1b[201~", 0}},
       {PASTED | 'a', PASTED | 'b', PASTED | 'c', PASTED | 'd'}},
      {"keys after the paste are keys again", {{"\x1b[200~x\x1b[201~\r\x1b[A", 0}},
       {PASTED | 'x', key::ENTER, key::UP}},
      {"UTF-8 to code page 437; no byte: dropped", {{"\x1b[200~\xc3\xa9\xe2\x82\xac\xe2\x95\x94\x1b[201~", 0}},
       {PASTED | 0x82, PASTED | 0xC9}},
      {"end marker cut in two reads", {{"\x1b[200~ab\x1b[2", 0}, {"01~c", 30}},
       {PASTED | 'a', PASTED | 'b', 'c'}},
      {"start marker cut in two reads", {{"\x1b[20", 0}, {"0~z\x1b[201~", 2}}, {PASTED | 'z'}},
      {"a character cut in two reads", {{"\x1b[200~\xc3", 0}, {"\xa9\x1b[201~", 40}}, {PASTED | 0x82}},
      {"slow paste keeps pasting", {{"\x1b[200~a", 0}, {"b", 500}, {"\x1b[201~\r", 900}},
       {PASTED | 'a', PASTED | 'b', key::ENTER}},
      {"lost end marker: keys again after a second of silence", {{"\x1b[200~a", 0}, {"\r", 1500}},
       {PASTED | 'a', key::ENTER}},
  };
  for (const PasteCase& c : cases) {
    SCOPED_TRACE(c.name);
    check(c.reads, c.keys);
  }
  check("\x1b[200~\x82\x0d\x1b[201~", {PASTED | 0x82}, false);  // no UTF-8: bytes as they are
}

// With no more input the caller still wakes to end a paste whose end marker
// got lost, so that the screen is shown again and the next key is a key.
TEST(KeyDecoder, ALostPasteEndEndsAtItsSilenceWithNoMoreInput) {
  KeyDecoder d;
  EXPECT_EQ(d.feed("\x1b[200~ab", 0), (std::vector<int>{PASTED | 'a', PASTED | 'b'}));
  EXPECT_TRUE(d.pasting());
  EXPECT_EQ(d.timeout_ms(400), KeyDecoder::PASTE_DELAY_MS - 400);
  EXPECT_TRUE(d.tick(KeyDecoder::PASTE_DELAY_MS).empty());
  EXPECT_FALSE(d.pasting());
  EXPECT_EQ(d.timeout_ms(KeyDecoder::PASTE_DELAY_MS), -1);
  EXPECT_EQ(d.feed("\r", KeyDecoder::PASTE_DELAY_MS + 10), std::vector<int>{key::ENTER});
}

TEST(KeyDecoder, LoneEscWaitsForSilence) {
  KeyDecoder d;
  EXPECT_EQ(d.timeout_ms(0), -1);
  EXPECT_TRUE(d.feed("\x1b", 100).empty());
  EXPECT_EQ(d.timeout_ms(110), 15);
  EXPECT_TRUE(d.tick(124).empty());
  EXPECT_EQ(d.tick(125), std::vector<int>{key::ESC});
  EXPECT_EQ(d.timeout_ms(125), -1);

  check({{"\x1b", 0}, {"[A", 10}}, {key::UP});             // a sequence cut in two
  check({{"\x1b", 0}, {"a", 30}}, {key::ESC, 'a'});         // late: Esc, then a
  check({{"\x1b", 0}, {"a", 5}}, {0x1E00});                 // quick: Alt+A
  check({{"\x1b\x1b", 0}}, {key::ESC, key::ESC});
  check({{"\x1b\x1b[A", 0}}, {key::ESC, key::UP});
  check({{"\x1bO", 0}}, {0x1800});                          // Alt+O, once it is clear
  check({{"\x1b[", 0}}, {0x1A00});                          // Alt+[, once it is clear
  check({{"\x1b[1", 0}}, {});                               // a half sequence is dropped
}

TEST(KeyDecoder, SequencesSplitAcrossReads) {
  check({{"\x1b[1;", 0}, {"5F", 3}}, {0x7500});
  check({{"\x1b[", 0}, {"[A", 2}}, {key::F1});
  check({{"\x1bO", 0}, {"P", 1}}, {key::F1});
  check({{"x\x1b[2", 0}, {"4;3~y", 40}}, {'x', 0x8C00, 'y'});
  check({{"\xc3", 0}, {"\xa9", 1}}, {0x82});
  check({{"\xe2\x94", 0}, {"\x80", 1}}, {0xC4});
  // the rest of a sequence arriving too late: the head is dropped, the
  // tail is read as typed text (the user's pause decides)
  check({{"\x1b[1;", 0}, {"5F", 500}}, {'5', 'F'});
}

// Over SSH the bytes of one key may come in any grouping, some ms apart:
// however the input is cut, within the delays the keys are the same.
TEST(KeyDecoder, AnySplitWithinTheDelaysGivesTheSameKeys) {
  const std::string input =
      "ab\x1b[A\xc3\xa9\x1b[1;5F\x1bOP\xe2\x95\x94z\x1b[15;3~\x1b[[A\x1b" "a\x7f";
  const std::vector<int> expected = {'a', 'b', key::UP, 0x82, 0x7500, key::F1, 0xC9,
                                     'z', 0x6C00, key::F1, 0x1E00, key::BACKSPACE};
  check(input, expected);
  for (size_t piece = 1; piece <= 8; ++piece) {
    std::vector<Read> reads;
    int64_t at = 0;
    for (size_t i = 0; i < input.size(); i += piece, at += KeyDecoder::ESC_DELAY_MS - 5)
      reads.push_back({input.substr(i, piece), at});
    EXPECT_EQ(decode(reads), expected) << "in pieces of " << piece << " bytes";
  }
}

// A long paste arrives in read-sized pieces that cut characters anywhere.
TEST(KeyDecoder, LongPasteInReadSizedPieces) {
  std::string paste;
  std::vector<int> expected;
  for (int i = 0; i < 1500; ++i) {
    paste += "\xc3\xa9";  // é
    paste += static_cast<char>('a' + i % 26);
    paste += "\xe2\x95\x94\r";  // ╔, Enter
    expected.insert(expected.end(), {0x82, 'a' + i % 26, 0xC9, 13});
  }
  std::vector<Read> reads;
  for (size_t i = 0; i < paste.size(); i += 512) reads.push_back({paste.substr(i, 512), 0});
  EXPECT_EQ(decode(reads), expected);
}

TEST(KeyDecoder, UnknownSequencesAreSwallowedWhole) {
  check("\x1b[99~x", {'x'});
  check("\x1b[1;5X", {});
  check("\x1b[?1;2c" "a", {'a'});                 // a terminal's answer
  check("\x1b[<0;10;5M\x1b[<0;10;5m", {});         // SGR mouse
  check("\x1b[M !!z", {'z'});                      // X10 mouse: three raw bytes follow
  check("\x1b[I\x1b[O", {});                       // focus in / out
  check("\x1bOz\x1bO5Z", {});
  check("\x1b[12\x1b[A", {key::UP});               // broken off by a new sequence
  check("\x1b[27;5;9~", {});                       // modified plain key
  check("\x1b[G\x1b[E", {});                      // keypad 5 (Linux console, xterm)
  check("\x1b[3 ~x", {'x'});                      // an intermediate byte: no key
  check(std::string("\x1b[") + std::string(40, '1') + "~q", {'q'});
}

TEST(KeyDecoder, Utf8MapsToCodePage437) {
  check("\xc3\xa9", {0x82});           // é
  check("\xc3\x87\xc3\xbc", {0x80, 0x81});
  check("\xe2\x95\x94", {0xC9});       // ╔
  check("\xe2\x96\x91", {0xB0});       // ░
  check("\xc2\xa0", {0xFF});           // no-break space
  check("\xe2\x82\xac", {REFUSED});    // € has no byte
  check("\xe2\x98\xba", {REFUSED});    // ☺ would be Ctrl+A
  check("\xe2\x8c\x82", {REFUSED});    // ⌂ would be Del
  check("\xf0\x9f\x98\x80", {REFUSED});
  check("\xff" "a", {REFUSED, 'a'});
  check("\xc3(", {REFUSED, '('});
  check("\xe0\x80\xaf", {REFUSED});    // overlong
  check("\xed\xa0\x80", {REFUSED});    // surrogate
  check({{"\xc3", 0}}, {REFUSED});     // cut off for good
}

TEST(KeyDecoder, AddedSequencesFillGapsButNeverOverrideTheTables) {
  const std::vector<std::pair<std::string, int>> added = {
      {"\x1b[50~", key::F1}, {"\x1b[A", key::F12}, {"\x1b!x", key::INS}, {"a", key::F10}};
  EXPECT_EQ(decode({{"\x1b[50~", 0}}, true, added), std::vector<int>{key::F1});
  EXPECT_EQ(decode({{"\x1b[A", 0}}, true, added), std::vector<int>{key::UP});
  EXPECT_EQ(decode({{"\x1b!x", 0}}, true, added), std::vector<int>{key::INS});
  EXPECT_EQ(decode({{"\x1b!", 0}, {"x", 5}}, true, added), std::vector<int>{key::INS});
  EXPECT_EQ(decode({{"\x1b!y", 0}}, true, added), (std::vector<int>{key::ALT_OTHER, 'y'}));
  EXPECT_EQ(decode({{"a", 0}}, true, added), std::vector<int>{'a'});  // not a sequence
}

// The keymap shipped for the Linux console makes its keys send xterm's
// sequences; under TERM=linux, with that entry's key strings taught too,
// each arrives as the key the keymap gives it to, in the file's order:
// Ctrl+End, Ctrl+Del, Ctrl+Left, Shift+F1..F10.
TEST(KeyDecoder, LinuxConsoleKeymapSendsKeysTheDecoderKnows) {
  std::ifstream keymap(SETUPEDIT_EXAMPLES_DIR "/linux-console.keymap");
  ASSERT_TRUE(keymap) << "examples/linux-console.keymap is missing";
  std::vector<std::string> sent;
  for (std::string line; std::getline(keymap, line);) {
    char text[64];
    if (std::sscanf(line.c_str(), "string %*s = \"\\033%63[^\"]\"", text) == 1) sent.push_back("\x1b" + std::string(text));
  }
  const std::vector<int> wanted = {X(0x75), key::CTRL_DEL, key::CTRL_LEFT, X(0x54), X(0x55), X(0x56), X(0x57),
                                   X(0x58), X(0x59), X(0x5A), X(0x5B), X(0x5C), X(0x5D)};
  const char* saved = std::getenv("TERM");
  const std::string saved_term = saved ? saved : "";
  setenv("TERM", "linux", 1);
  const TerminfoEntry linux = terminfo_load(STDOUT_FILENO);
  saved ? setenv("TERM", saved_term.c_str(), 1) : unsetenv("TERM");
  ASSERT_TRUE(linux.found) << "no terminfo entry for linux";
  ASSERT_EQ(sent.size(), wanted.size());
  for (size_t i = 0; i < sent.size(); ++i)
    EXPECT_EQ(decode({{sent[i], 0}}, true, linux.keys), std::vector<int>{wanted[i]}) << shown(sent[i]);
}

}  // namespace
