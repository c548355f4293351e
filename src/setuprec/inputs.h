// What setuprec reads, read with the editor's bounds: a company file is a
// regular file (or a device) holding at least the 1024-byte record, a
// catalogue is read no further than the editor reads it, and a dump no
// further than a megabyte, far above any real one. Nothing named by path
// blocks on open. The name "-" is standard input, which is read as it is.
// Each function returns the empty text, or why the input was refused.
#pragma once
#include <cstddef>
#include <string>

#include "data/setup_record.h"

constexpr size_t DUMP_LIMIT = 1 << 20;

// How a name is echoed in messages: "-" as standard input, control bytes escaped.
std::string input_name(const std::string& name);
std::string read_record_input(const std::string& name, SetupRecord& record);
// bytes_cut tells that the file goes on past what the editor reads.
std::string read_catalogue_input(const std::string& name, std::string& bytes, bool& bytes_cut);
std::string read_dump_input(const std::string& name, std::string& bytes);
// Why the company file at path cannot be written as a whole record (not a
// regular file, or shorter than the record), without opening it.
std::string record_file_unfit(const std::string& path);
