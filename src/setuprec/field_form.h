// One named field as a line of text and back. Every form is exact: storing
// what format_field printed gives back the same bytes, so a dump applied to
// another record copies the fields bit for bit. Numbers must fit the field's
// storage as it is; nothing is wrapped or clipped.
#pragma once
#include <string>
#include <string_view>

#include "data/field_names.h"
#include "data/setup_record.h"

std::string format_field(const SetupRecord& record, const NamedField& f);
// Stores value into the field; returns the rule the value breaks, or the
// empty text when it was stored.
std::string store_field(SetupRecord& record, const NamedField& f, std::string_view value);
