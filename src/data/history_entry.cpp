#include "data/history_entry.h"

#include <algorithm>
#include <cstring>

using namespace history_layout;

namespace {

constexpr std::array<uint32_t, 256> crc_table() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> CRC_TABLE = crc_table();

void put_le(uint8_t* at, uint64_t value, int size) {
  for (int i = 0; i < size; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t get_le(const uint8_t* at, int size) {
  uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

// The slot keeps at least one zero byte, so a reader never runs past it.
void put_text(uint8_t* at, int size, const std::string& text) {
  std::memcpy(at, text.data(), std::min(text.size(), static_cast<size_t>(size - 1)));
}

std::string get_text(const uint8_t* at, int size) {
  const uint8_t* end = std::find(at, at + size, 0);
  return std::string(reinterpret_cast<const char*>(at), static_cast<size_t>(end - at));
}

}  // namespace

uint32_t crc32(const uint8_t* bytes, size_t size) noexcept {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = CRC_TABLE[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

EncodedEntry encode_entry(const HistoryEntry& entry) noexcept {
  EncodedEntry out{};
  std::memcpy(out.data(), MAGIC, sizeof MAGIC);
  put_le(&out[NUMBER], entry.number, 4);
  put_le(&out[REFERS_TO], entry.refers_to, 4);
  put_le(&out[TIME], static_cast<uint64_t>(entry.time), 8);
  out[MARKS] = static_cast<uint8_t>((entry.found ? FOUND : 0) | (entry.undo ? UNDO : 0));
  put_text(&out[USER], USER_SIZE, entry.user);
  put_text(&out[HOST], HOST_SIZE, entry.host);
  put_text(&out[PROGRAM], PROGRAM_SIZE, entry.program);
  put_text(&out[ACTION], ACTION_SIZE, entry.action);
  std::memcpy(&out[RECORD], entry.record.data(), RECORD_SIZE);
  put_le(&out[CHECKSUM], crc32(out.data(), CHECKSUM), 4);
  return out;
}

bool decode_entry(const uint8_t* bytes, HistoryEntry& entry) {
  if (std::memcmp(bytes, MAGIC, sizeof MAGIC) != 0) return false;
  if (get_le(&bytes[CHECKSUM], 4) != crc32(bytes, CHECKSUM)) return false;
  entry.number = static_cast<uint32_t>(get_le(&bytes[NUMBER], 4));
  entry.refers_to = static_cast<uint32_t>(get_le(&bytes[REFERS_TO], 4));
  entry.time = static_cast<int64_t>(get_le(&bytes[TIME], 8));
  entry.found = bytes[MARKS] & FOUND;
  entry.undo = bytes[MARKS] & UNDO;
  entry.user = get_text(&bytes[USER], USER_SIZE);
  entry.host = get_text(&bytes[HOST], HOST_SIZE);
  entry.program = get_text(&bytes[PROGRAM], PROGRAM_SIZE);
  entry.action = get_text(&bytes[ACTION], ACTION_SIZE);
  std::memcpy(entry.record.data(), &bytes[RECORD], RECORD_SIZE);
  return true;
}

bool starts_like_entry(const uint8_t* bytes, size_t size) noexcept {
  return std::memcmp(bytes, MAGIC, std::min(size, sizeof MAGIC)) == 0;
}
