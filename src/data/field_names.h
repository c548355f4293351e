// Every field of the setup record by the name people use for it, with the
// kind of value it holds, in record order. Companion tools print and parse
// records through this one list, so a field added to the layout is added here
// once and every tool follows. Bytes that no entry covers are unused.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "data/setup_record.h"

enum class FieldKind {
  TEXT,         // code page 437 bytes up to a zero byte or the field's end
  BYTE,         // unsigned 0..255, shown in decimal
  SIGNED_BYTE,  // two's complement -128..127
  DOUBLE,       // binary64, little-endian
  CODE,         // printer control sequence of up to 8 bytes
  FLAGS,        // a bit set of 8 bits
  HIGH_DIGIT,   // bits 4-7 of a byte
  LOW_DIGIT,    // bits 0-3 of a byte
  ATTRIBUTE,    // a palette text attribute, shown in hexadecimal
};

// The whole numbers a number field takes, and how the rule reads. Text,
// binary64 and code fields have no such rule (text empty).
struct FieldRule {
  long low = 0, high = -1;
  std::string text;
};

struct NamedField {
  std::string name;  // e.g. "heading[2]", "printer_codes[1][4].on"
  Field field;
  FieldKind kind;
  FieldRule rule = {};  // filled from the kind where the table sets none
};

// All named fields, ordered by offset (a byte holding two digits is listed
// twice: high digit, then low digit).
const std::vector<NamedField>& named_fields();
// The entry of that name, or nullptr.
const NamedField* find_named_field(std::string_view name);
// The value the field holds now, as its rule counts it (a byte, a signed
// byte, a digit of its byte).
long current_number(const SetupRecord& r, const NamedField& f) noexcept;
// "" when value keeps f's rule, or equals what f holds in r now (so a record
// that already breaks a rule still reads back unchanged); else the rule's text.
std::string rule_refusal(const SetupRecord& r, const NamedField& f, long value);
// The rule of the number field at f (the first entry at its offset); the
// editor's dialogs take their limits from it.
const FieldRule& rule_at(Field f);
