// setuprec: the setup record and the catalogue from the command line, for
// people who look after many companies' data sets. Built on the data layer
// alone; it never opens a terminal.

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/field_names.h"
#include "data/history.h"
#include "platform/standard_descriptors.h"
#include "platform/standard_output.h"
#include "setuprec/commands.h"

#ifndef SETUPEDIT_VERSION
#define SETUPEDIT_VERSION "unknown"
#endif

namespace {

std::string general_usage() {
  std::string out =
      "usage: setuprec COMMAND [ARGUMENTS]\n"
      "       setuprec --version | -h | --help | help [COMMAND | fields]\n\nCommands:\n";
  for (const Command& c : commands()) {
    char row[160];
    std::snprintf(row, sizeof row, "  %-16s %s\n", c.name, c.summary);
    out += row;
  }
  return out + "\n`setuprec help COMMAND` shows its arguments; `help fields` the field names.\n"
               "See setuprec(1).\n";
}

// `help help` (or `help --help`) asks about help itself: the general usage
// is where its form is shown.
bool asks_about_help(const std::string& topic) {
  return topic == "help" || topic == "--help" || topic == "-h";
}

int help(const std::vector<std::string>& topics) {
  if (topics.empty() || (topics.size() == 1 && asks_about_help(topics[0]))) {
    std::fputs(general_usage().c_str(), stdout);
    return STATUS_OK;
  }
  if (topics.size() > 1) return trouble("help takes one command name");
  if (topics[0] == "fields") {
    for (const NamedField& f : named_fields()) std::printf("%s\n", f.name.c_str());
    return STATUS_OK;
  }
  const Command* command = find_command(topics[0]);
  if (!command) return trouble(quoted_name(topics[0]) + " is not a command; see 'setuprec help'");
  std::fputs(command_help(*command).c_str(), stdout);
  return STATUS_OK;
}

int run(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fputs(general_usage().c_str(), stderr);
    return STATUS_TROUBLE;
  }
  const std::string& name = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (name == "--version") {
    std::printf("setuprec %s\n", SETUPEDIT_VERSION);
    return STATUS_OK;
  }
  if (name == "--help" || name == "-h") return help({});
  if (name == "help") return help(rest);
  const Command* command = find_command(name);
  if (!command) return trouble(quoted_name(name) + " is not a command; see 'setuprec help'");
  Invocation in;
  const std::string wrong = parse_invocation(*command, rest, in);
  if (!wrong.empty()) {
    trouble(wrong);
    return usage_error(command->name);
  }
  if (in.help) return help({name});
  return command->run(in);
}

}  // namespace

int main(int argc, char** argv) {
  // A message must never land in a file opened on a closed descriptor.
  if (!ensure_standard_descriptors()) return STATUS_TROUBLE;
  set_history_program("setuprec");
  int status = run(std::vector<std::string>(argv + 1, argv + argc));
  // A listing cut short must not pass for a good one.
  if (const int error = standard_output_error()) {
    std::fprintf(stderr, "setuprec: cannot write standard output: %s\n", std::strerror(error));
    status = STATUS_TROUBLE;
  }
  return status;
}
