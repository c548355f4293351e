// One entry of a company file's history: the 1024 bytes of the record as it
// stood after a save (or as found on disk before one), when, by whom, and by
// which program and action. Entries have one fixed size so that a reader can
// step through the file and a writer can find where the last whole one ends;
// each carries a magic and a checksum, so an entry cut short by a crash is
// told apart from a whole one. All integers are little-endian.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "data/setup_record.h"

struct HistoryEntry {
  uint32_t number = 0;      // 1, 2, ... in the order of appending; kept when old entries are dropped
  uint32_t refers_to = 0;   // restore: the entry restored; undo: the save taken back; else 0
  int64_t time = 0;         // UTC, seconds since 1970
  bool found = false;       // the record as found on disk, written by someone else
  bool undo = false;        // written by an undo: the next undo passes over it
  std::string user, host, program, action;
  SetupRecord record{};
};

namespace history_layout {
constexpr char MAGIC[8] = {'S', 'E', 'T', 'H', 'I', 'S', 'T', '1'};
constexpr int NUMBER = 8, REFERS_TO = 12, TIME = 16, MARKS = 24;
constexpr int USER = 32, USER_SIZE = 32;
constexpr int HOST = 64, HOST_SIZE = 64;
constexpr int PROGRAM = 128, PROGRAM_SIZE = 16;
constexpr int ACTION = 144, ACTION_SIZE = 48;
constexpr int RECORD = 192;
constexpr int CHECKSUM = RECORD + RECORD_SIZE;  // CRC-32 of every byte before it
constexpr int ENTRY_SIZE = CHECKSUM + 4;
constexpr uint8_t FOUND = 1, UNDO = 2;
}  // namespace history_layout

using EncodedEntry = std::array<uint8_t, history_layout::ENTRY_SIZE>;

// Texts longer than their slot are cut.
EncodedEntry encode_entry(const HistoryEntry& entry) noexcept;
// False when the bytes are not a whole entry (wrong magic or checksum).
bool decode_entry(const uint8_t* bytes, HistoryEntry& entry);
// Whether bytes (size of them, fewer than a whole entry allowed) could begin an
// entry: they start with as much of the magic as there is of them.
bool starts_like_entry(const uint8_t* bytes, size_t size) noexcept;
uint32_t crc32(const uint8_t* bytes, size_t size) noexcept;
