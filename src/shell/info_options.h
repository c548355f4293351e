// The two arguments that ask about the program instead of running it. Only
// the first argument is looked at, and only these exact words: a location
// prefix has at most 2 characters, so no prefix is ever taken for one.
#pragma once

// Prints the usage or the version on stdout when argument is "--help" or
// "--version" and returns true; false for anything else.
bool print_info_option(const char* argument) noexcept;
