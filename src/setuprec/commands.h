// setuprec's commands, one table row each: the dispatcher, `help` and the
// usage messages all read this table, so a new command is one row and one
// function.
#pragma once
#include <string>
#include <vector>

constexpr int STATUS_OK = 0, STATUS_FOUND = 1, STATUS_TROUBLE = 2;

// The arguments after the command's name.
struct Invocation {
  std::vector<std::string> operands;   // before "--"
  std::vector<std::string> after;      // after "--"
  bool separated = false;              // "--" was given
  bool json = false;
  bool help = false;
};

// The operands before and after "--" together: for commands that take file
// names only, "--" lets a name start with '-'.
std::vector<std::string> every_operand(const Invocation& in);

struct Command {
  const char* name;
  const char* synopsis;  // after "setuprec "
  const char* summary;   // one line for the command list
  const char* details;   // the rest of `help COMMAND`
  bool takes_json;
  int (*run)(const Invocation&);
};

const std::vector<Command>& commands();
// The row of that name, or nullptr.
const Command* find_command(const std::string& name);
// Splits the arguments after the command's name; returns the empty text, or
// the message for an option the command does not take.
std::string parse_invocation(const Command& command, const std::vector<std::string>& args, Invocation& out);
// "usage: setuprec SYNOPSIS" and the details, as `help COMMAND` prints them.
std::string command_help(const Command& command);
// 'name' for a message, its control bytes escaped.
std::string quoted_name(const std::string& name);
// Prints the command's help on stderr; returns STATUS_TROUBLE.
int usage_error(const char* name);
// Prints "setuprec: text" on stderr; returns STATUS_TROUBLE.
int trouble(const std::string& text);
