// Turns the bytes a terminal sends into KeyCodes: a plain key is its code
// page 437 byte (1..255), an extended key its scan code shifted left by 8
// (key::UP, key::F1 ...; Del arrives as key::extended(key::scan::DEL) and
// the keyboard layer above makes it 127). Pure: the time of every read is an
// argument, so a lone Esc is told apart from the start of a sequence without
// a clock, and tests need none.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class KeyDecoder {
 public:
  // A UTF-8 character without a code page 437 byte: the caller rings the bell.
  static constexpr int REFUSED = -1;
  // Silence after which a lone Esc is the Esc key.
  static constexpr int ESC_DELAY_MS = 25;
  // Silence after which an unfinished sequence is given up (and swallowed).
  static constexpr int SEQUENCE_DELAY_MS = 100;
  // Silence that ends a paste whose end marker never came.
  static constexpr int PASTE_DELAY_MS = 1000;
  // Added to the code page 437 byte of a character that arrived inside a
  // bracketed paste (never a control byte: those are dropped).
  static constexpr int PASTED = 0x10000;

  // utf8: input arrives as UTF-8; otherwise bytes 128-255 are code page 437,
  // or, with meta (a terminal whose meta key sets bit 7), Alt with the key
  // of the low seven bits. erase: the terminal's erase byte (termios
  // VERASE); of ^H and ^? that one is Backspace and the other Ctrl+Backspace.
  explicit KeyDecoder(bool utf8 = true, int erase = 0x7F, bool meta = false) noexcept;

  // Teaches a sequence the built-in tables do not know (e.g. from terminfo).
  // The built-in tables win: terminfo numbers shifted function keys
  // differently from one terminal family to the next. Only sequences that
  // start with Esc and have at least two bytes are taken.
  void add_sequence(std::string_view bytes, int key) noexcept;

  // Bytes read at now_ms; returns the keys they complete, in order.
  std::vector<int> feed(std::string_view bytes, int64_t now_ms) noexcept;
  // Call when timeout_ms has run out: a lone Esc becomes Esc, an unfinished
  // sequence is dropped.
  std::vector<int> tick(int64_t now_ms) noexcept;
  // How long the caller may wait for more bytes before calling tick;
  // -1 when nothing is pending.
  int timeout_ms(int64_t now_ms) const noexcept;
  // Inside a bracketed paste: its end marker has not come yet.
  bool pasting() const noexcept { return pasting_; }

  enum class Status { INCOMPLETE, DONE };
  // One decoding step: how many bytes it used and the key (0: none).
  struct Step {
    Status status = Status::INCOMPLETE;
    size_t length = 0;
    int key = 0;
  };

 private:
  void drain(std::vector<int>& keys, bool expired) noexcept;
  size_t paste(std::string_view bytes, std::vector<int>& keys, bool expired) noexcept;
  bool expired(int64_t now_ms) const noexcept;
  int delay_ms() const noexcept;
  Step step(std::string_view bytes) const noexcept;
  Step escape(std::string_view bytes) const noexcept;
  Step escape_and_key(std::string_view bytes) const noexcept;
  Step give_up(std::string_view bytes) const noexcept;
  int plain_key(unsigned char c) const noexcept;
  Step match_added(std::string_view bytes) const noexcept;
  Step utf8_char(std::string_view bytes) const noexcept;

  bool utf8_;
  int erase_;
  bool meta_;
  bool pasting_ = false;  // between the paste start and end markers
  std::string pending_;
  int64_t last_ms_ = 0;
  std::vector<std::pair<std::string, int>> added_;
};
