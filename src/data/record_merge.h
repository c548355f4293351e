// What a save writes when another program may have written the file since
// we read it: the operator's changes over what the file holds now. The unit
// is the field of the record's field table, so a value is always one
// writer's, never a blend of two: a field the operator changed is written
// whole from memory, any other is left as the file holds it. A flag byte is
// eight fields of one bit each, so another program's change to one flag
// survives our toggle of another.
#pragma once
#include "data/setup_record.h"

// base: the record as last read or saved; memory: the same with the
// operator's changes; file: the record as the file holds it now.
SetupRecord merge_record(const SetupRecord& base, const SetupRecord& memory, const SetupRecord& file) noexcept;
