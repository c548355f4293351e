#include "data/record_merge.h"

#include "data/field_names.h"

namespace {

// The bits of each byte a field owns: a byte of two digits is two fields.
uint8_t bits_of(FieldKind kind) {
  if (kind == FieldKind::HIGH_DIGIT) return 0xF0;
  if (kind == FieldKind::LOW_DIGIT) return 0x0F;
  return 0xFF;
}

void merge_flags(const SetupRecord& base, const SetupRecord& memory, int at, SetupRecord& out) {
  const auto i = static_cast<size_t>(at);
  const uint8_t changed = memory[i] ^ base[i];
  out[i] = static_cast<uint8_t>((out[i] & ~changed) | (memory[i] & changed));
}

void merge_field(const SetupRecord& base, const SetupRecord& memory, const NamedField& f, SetupRecord& out) {
  const uint8_t bits = bits_of(f.kind);
  bool changed = false;
  for (int i = f.field.offset; i < f.field.offset + f.field.size; ++i)
    changed = changed || ((memory[static_cast<size_t>(i)] ^ base[static_cast<size_t>(i)]) & bits) != 0;
  if (!changed) return;
  for (int i = f.field.offset; i < f.field.offset + f.field.size; ++i) {
    uint8_t& byte = out[static_cast<size_t>(i)];
    byte = static_cast<uint8_t>((byte & ~bits) | (memory[static_cast<size_t>(i)] & bits));
  }
}

}  // namespace

SetupRecord merge_record(const SetupRecord& base, const SetupRecord& memory, const SetupRecord& file) noexcept {
  SetupRecord out = file;
  std::array<bool, RECORD_SIZE> in_a_field{};
  for (const NamedField& f : named_fields()) {
    for (int i = f.field.offset; i < f.field.offset + f.field.size; ++i) in_a_field[static_cast<size_t>(i)] = true;
    if (f.kind == FieldKind::FLAGS) {
      for (int i = f.field.offset; i < f.field.offset + f.field.size; ++i) merge_flags(base, memory, i, out);
    } else {
      merge_field(base, memory, f, out);
    }
  }
  // Bytes of no field are no one's value: the editor never changes them.
  for (size_t i = 0; i < out.size(); ++i)
    if (!in_a_field[i] && memory[i] != base[i]) out[i] = memory[i];
  return out;
}
