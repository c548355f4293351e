// Names that come from outside (arguments, file names, words read from a
// file) as they may be echoed to a terminal: a control byte in them must not
// reach it as such, or a name could retitle or reprogram the terminal.
#pragma once
#include <string>
#include <string_view>

// Every byte outside printable ASCII as \xNN, and the backslash doubled, so
// the echo is unambiguous and a limit in bytes shows why it was passed.
std::string printable_name(std::string_view name);
