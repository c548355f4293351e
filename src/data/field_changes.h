// Which named fields differ between two records, and carrying fields over
// from one record to another whole: the history's unit is the field, as the
// save's is, so a restore or an undo never blends two states in one field.
#pragma once
#include <vector>

#include "data/field_names.h"

// The named fields whose bytes differ, in record order. A byte that holds two
// digits counts for the digit that differs only.
std::vector<const NamedField*> changed_fields(const SetupRecord& a, const SetupRecord& b);
// Copies the fields' bytes from `from` into `into`; no other byte moves.
void copy_fields(const std::vector<const NamedField*>& fields, const SetupRecord& from, SetupRecord& into) noexcept;
