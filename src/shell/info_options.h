// The two arguments that ask about the program instead of running it. Only
// the first argument is looked at, and only these exact words: a location
// prefix has at most 2 characters, so no prefix is ever taken for one.
#pragma once

// The usage line, also printed when the arguments are too few.
constexpr const char* USAGE_LINE = "usage: setupedit PREFIX CODE LANG [SERVICE]\n";

// Prints the usage or the version on stdout when argument is "--help" or
// "--version" and returns true; false for anything else.
bool print_info_option(const char* argument) noexcept;
