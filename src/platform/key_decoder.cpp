// The decoder keeps the bytes that do not yet make a whole key and decodes
// from the front, one step at a time. A step either completes (it uses some
// bytes and yields a key or nothing) or needs more bytes; only a pause in the
// input, measured with the times the caller passes in, settles the latter.
// Escape sequences are recognised by their grammar first, so one we do not
// know is swallowed whole instead of leaking its bytes as typed characters.
#include "platform/key_decoder.h"

#include "platform/cp437.h"
#include "platform/key_decoder_tables.h"
#include "platform/keys.h"

namespace {

using Status = KeyDecoder::Status;
using Step = KeyDecoder::Step;

constexpr unsigned char ESC = 0x1B;
constexpr size_t MAX_SEQUENCE = 32;  // longer "sequences" are line noise

constexpr Step need_more() { return {Status::INCOMPLETE, 0, 0}; }
constexpr Step done(size_t length, int key) { return {Status::DONE, length, key}; }

unsigned char at(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }
bool is_param(unsigned char c) { return c >= 0x30 && c <= 0x3F; }
bool is_intermediate(unsigned char c) { return c >= 0x20 && c <= 0x2F; }
bool is_final(unsigned char c) { return c >= 0x40 && c <= 0x7E; }

constexpr std::string_view PASTE_START = "\x1b[200~";
constexpr std::string_view PASTE_END = "\x1b[201~";

// Esc [ ... : parameters, intermediates, one final byte. rxvt ends some keys
// with '$' (Shift+Home is Esc [ 7 $), which is an intermediate in the
// grammar; nothing we ask the terminal for answers with '$', so it ends.
Step csi(std::string_view bytes) {
  if (bytes.size() < 3) return need_more();
  if (at(bytes, 2) == '[') {  // Linux console F1-F5
    if (bytes.size() < 4) return need_more();
    return done(4, key_tables::linux_console_key(bytes[3]));
  }
  if (at(bytes, 2) == 'M') {  // X10 mouse report: three raw bytes follow
    return bytes.size() < 6 ? need_more() : done(6, 0);
  }
  size_t i = 2;
  while (i < bytes.size() && is_param(at(bytes, i))) ++i;
  const size_t params_end = i;
  while (i < bytes.size() && is_intermediate(at(bytes, i)) && at(bytes, i) != '$') ++i;
  if (i >= bytes.size()) return i > MAX_SEQUENCE ? done(i, 0) : need_more();
  const unsigned char last = at(bytes, i);
  if (!is_final(last) && last != '$') return done(i, 0);  // malformed: drop up to the stray byte
  if (i != params_end) return done(i + 1, 0);             // intermediates: a report, no key
  return done(i + 1, key_tables::csi_key(bytes.substr(2, params_end - 2), static_cast<char>(last)));
}

// Esc O, then one final byte; older terminals put a modifier digit between.
Step ss3(std::string_view bytes) {
  size_t i = 2;
  while (i < bytes.size() && at(bytes, i) >= '0' && at(bytes, i) <= '9') ++i;
  if (i >= bytes.size()) return i > MAX_SEQUENCE ? done(i, 0) : need_more();
  if (!is_final(at(bytes, i))) return done(i, 0);
  return done(i + 1, key_tables::ss3_key(bytes.substr(2, i - 2), bytes[i]));
}

bool is_sequence_start(std::string_view bytes) {
  return bytes.size() >= 2 && (at(bytes, 1) == '[' || at(bytes, 1) == 'O');
}

// Alt with a key that has no classic Alt code still is no Esc: a dialog
// must not leave on it.
int alt_of(unsigned char c) {
  const int alt = key_tables::alt_key(c);
  return alt ? alt : key::ALT_OTHER;
}

bool printable(int byte) { return byte >= 0x20 && byte != 0x7F; }

int utf8_length(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool utf8_valid(char32_t cp, int length) {
  if (length == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return false;
  if (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) return false;
  return true;
}

}  // namespace

KeyDecoder::KeyDecoder(bool utf8, int erase, bool meta) noexcept
    : utf8_(utf8), erase_(erase == 0x08 ? 0x08 : 0x7F), meta_(meta && !utf8) {}

void KeyDecoder::add_sequence(std::string_view bytes, int key) noexcept {
  if (bytes.size() < 2 || at(bytes, 0) != ESC || key == 0) return;
  for (auto& entry : added_)
    if (entry.first == bytes) {
      entry.second = key;
      return;
    }
  added_.emplace_back(std::string(bytes), key);
}

std::vector<int> KeyDecoder::feed(std::string_view bytes, int64_t now_ms) noexcept {
  std::vector<int> keys;
  if (!pending_.empty() && expired(now_ms)) drain(keys, true);
  if (pasting_ && now_ms - last_ms_ >= PASTE_DELAY_MS) pasting_ = false;  // its end got lost
  pending_.append(bytes);
  last_ms_ = now_ms;
  drain(keys, false);
  return keys;
}

std::vector<int> KeyDecoder::tick(int64_t now_ms) noexcept {
  std::vector<int> keys;
  if ((pasting_ || !pending_.empty()) && expired(now_ms)) {
    drain(keys, true);
    pasting_ = false;  // its end got lost: what comes next is typed
  }
  return keys;
}

int KeyDecoder::timeout_ms(int64_t now_ms) const noexcept {
  if (pending_.empty() && !pasting_) return -1;
  const int64_t left = last_ms_ + delay_ms() - now_ms;
  return left > 0 ? static_cast<int>(left) : 0;
}

bool KeyDecoder::expired(int64_t now_ms) const noexcept { return now_ms - last_ms_ >= delay_ms(); }

int KeyDecoder::delay_ms() const noexcept {
  if (pasting_) return PASTE_DELAY_MS;
  return pending_.size() == 1 && at(pending_, 0) == ESC ? ESC_DELAY_MS : SEQUENCE_DELAY_MS;
}

void KeyDecoder::drain(std::vector<int>& keys, bool expired) noexcept {
  size_t pos = 0;
  while (pos < pending_.size()) {
    const std::string_view rest = std::string_view(pending_).substr(pos);
    if (pasting_) {
      const size_t used = paste(rest, keys, expired);
      if (used == 0) break;
      pos += used;
      continue;
    }
    if (rest.starts_with(PASTE_START)) {
      pasting_ = true;
      pos += PASTE_START.size();
      continue;
    }
    Step s = step(rest);
    if (s.status == Status::INCOMPLETE) {
      if (!expired) break;
      s = give_up(rest);
    }
    if (s.key != 0) keys.push_back(s.key);
    pos += s.length;
  }
  pending_.erase(0, pos);
}

// Pasted text up to the end marker: every character a PASTED key, control
// bytes (line ends, Esc, Tab) dropped, so a paste only ever types. Returns
// how many bytes were used; a possible start of the end marker waits.
size_t KeyDecoder::paste(std::string_view bytes, std::vector<int>& keys, bool expired) noexcept {
  const size_t end = bytes.find(PASTE_END);
  const std::string_view text = bytes.substr(0, end);
  size_t used = 0;
  while (used < text.size()) {
    const std::string_view rest = text.substr(used);
    if (end == std::string_view::npos && !expired && PASTE_END.starts_with(rest)) break;
    Step c = done(1, at(rest, 0));
    if (at(rest, 0) >= 0x80 && utf8_) {
      c = utf8_char(rest);
      if (c.status == Status::INCOMPLETE) {
        if (!expired) break;
        c = done(rest.size(), REFUSED);
      }
    }
    if (printable(c.key)) keys.push_back(PASTED | c.key);
    used += c.length;
  }
  if (end != std::string_view::npos && used == end) {
    pasting_ = false;
    return end + PASTE_END.size();
  }
  if (expired) pasting_ = false;
  return used;
}

int KeyDecoder::plain_key(unsigned char c) const noexcept {
  if (c == 0x00) return 0;  // Ctrl+Space, Ctrl+@: nothing
  if (c == 0x7F || c == 0x08) return c == erase_ ? key::BACKSPACE : key::DEL;  // DEL: Ctrl+Backspace
  return c;
}

// Esc and one more byte that starts no sequence: one Alt combination. Esc
// twice is Esc and then whatever the second one starts.
Step KeyDecoder::escape_and_key(std::string_view bytes) const noexcept {
  if (bytes.size() < 2) return need_more();
  const unsigned char c = at(bytes, 1);
  if (c == ESC) return done(1, key::ESC);
  if (c < 0x80 || !utf8_) return done(2, alt_of(c));
  const Step character = utf8_char(bytes.substr(1));
  if (character.status == Status::INCOMPLETE) return need_more();
  return done(1 + character.length, key::ALT_OTHER);
}

// What an unfinished step becomes once the input has paused.
Step KeyDecoder::give_up(std::string_view bytes) const noexcept {
  if (at(bytes, 0) != ESC) return done(bytes.size(), REFUSED);  // cut-off UTF-8
  if (bytes.size() == 1) return done(1, key::ESC);
  if (bytes.size() == 2) return done(2, alt_of(at(bytes, 1)));  // Alt+O and Alt+[ look like a start
  return done(bytes.size(), 0);
}

Step KeyDecoder::step(std::string_view bytes) const noexcept {
  const unsigned char c = at(bytes, 0);
  if (c == ESC) return escape(bytes);
  if (c >= 0x80 && utf8_) return utf8_char(bytes);
  if (c >= 0x80 && meta_) return done(1, alt_of(c & 0x7F));
  return done(1, plain_key(c));
}

// Our grammar and tables decide first for CSI and SS3; the added sequences
// teach what they do not know, and the rest of Esc's company.
Step KeyDecoder::escape(std::string_view bytes) const noexcept {
  const bool sequence = is_sequence_start(bytes);
  Step builtin{};
  if (sequence) {
    builtin = at(bytes, 1) == '[' ? csi(bytes) : ss3(bytes);
    if (builtin.status == Status::DONE && builtin.key != 0) return builtin;
  }
  const Step added = match_added(bytes);
  if (added.status == Status::INCOMPLETE || added.length > 0) return added;
  return sequence ? builtin : escape_and_key(bytes);
}

// The longest added sequence the bytes start with; "need more" while the
// bytes are the start of a longer one; length 0 when none fits at all.
Step KeyDecoder::match_added(std::string_view bytes) const noexcept {
  Step best = done(0, 0);
  bool longer_possible = false;
  for (const auto& [sequence, key] : added_) {
    if (bytes.substr(0, sequence.size()) == sequence) {
      if (sequence.size() > best.length) best = done(sequence.size(), key);
    } else if (sequence.size() > bytes.size() && sequence.compare(0, bytes.size(), bytes) == 0) {
      longer_possible = true;
    }
  }
  return longer_possible ? need_more() : best;
}

Step KeyDecoder::utf8_char(std::string_view bytes) const noexcept {
  const int length = utf8_length(at(bytes, 0));
  if (length == 0) return done(1, REFUSED);
  char32_t cp = at(bytes, 0) & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if (static_cast<size_t>(i) >= bytes.size()) return need_more();
    if ((at(bytes, i) & 0xC0) != 0x80) return done(i, REFUSED);
    cp = (cp << 6) | (at(bytes, i) & 0x3F);
  }
  if (!utf8_valid(cp, length)) return done(length, REFUSED);
  // Typed text never stands for a control key: no ☺ as Ctrl+A, no ⌂ as Del.
  const int byte = cp437_from_unicode(cp);
  if (!printable(byte)) return done(length, REFUSED);
  return done(length, byte);
}
