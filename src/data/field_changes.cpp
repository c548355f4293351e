#include "data/field_changes.h"

namespace {

uint8_t mask_of(FieldKind kind) {
  return kind == FieldKind::HIGH_DIGIT ? 0xF0 : kind == FieldKind::LOW_DIGIT ? 0x0F : 0xFF;
}

bool differs(const NamedField& f, const SetupRecord& a, const SetupRecord& b) {
  const uint8_t mask = mask_of(f.kind);
  for (int i = f.field.offset; i < f.field.offset + f.field.size; ++i)
    if ((a[i] ^ b[i]) & mask) return true;
  return false;
}

}  // namespace

std::vector<const NamedField*> changed_fields(const SetupRecord& a, const SetupRecord& b) {
  std::vector<const NamedField*> out;
  for (const NamedField& f : named_fields())
    if (differs(f, a, b)) out.push_back(&f);
  return out;
}

void copy_fields(const std::vector<const NamedField*>& fields, const SetupRecord& from, SetupRecord& into) noexcept {
  for (const NamedField* f : fields) {
    const uint8_t mask = mask_of(f->kind);
    for (int i = f->field.offset; i < f->field.offset + f->field.size; ++i)
      into[i] = static_cast<uint8_t>((into[i] & ~mask) | (from[i] & mask));
  }
}
