// The record as JSON, for tools such as jq: one object, field name to value,
// in record order. Texts are strings (code page 437 decoded, JSON escapes for
// the control bytes); whole-number fields and finite rates are numbers; other
// rates, codes, flags and palette attributes are strings holding their text
// form. Read back, every value gives the same bytes as the text form does.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "data/setup_record.h"
#include "setuprec/record_commands.h"

// The whole object; every line after the first starts with indent.
std::string json_record(const SetupRecord& record, const std::string& indent = "");
// The fields that differ, each as "name": [value in a, value in b]; "{}"
// when none does.
std::string json_diff(const SetupRecord& a, const SetupRecord& b);
// A JSON string of raw bytes (a file name): control bytes escaped, the rest
// as it is.
std::string json_string(std::string_view bytes);
// Reads an object of field names and values into assignments in the text
// form, each with the line its value starts on. Problems come back in errors
// as "LINE: ..." texts.
std::vector<Assignment> read_json_dump(std::string_view text, std::vector<std::string>& errors);
