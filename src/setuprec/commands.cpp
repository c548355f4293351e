#include "setuprec/commands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/printable_name.h"
#include "setuprec/runs.h"

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"show", "show [--json] FILE...", "every named field of the setup record",
       "Prints one `name = value` line per field, in record order; with --json one\n"
       "JSON object of field names and values. With several files each record\n"
       "follows a `# FILE` line (with --json: one object of file names to records).\n",
       true, run_show},
      {"diff", "diff [--json] FILE1 FILE2", "the fields that differ; status 1 when any do",
       "Prints each differing field as a `<` line from FILE1 and a `>` line from\n"
       "FILE2; with --json one object of field names to [FILE1 value, FILE2 value].\n",
       true, run_diff},
      {"set", "set FILE NAME=VALUE...\nset FILE... -- NAME=VALUE...", "change fields; all are checked before any is stored",
       "Stores the values with the editor's own save. Every value and every file is\n"
       "checked before any file is written: one refusal changes no file.\n",
       false, run_set},
      {"apply", "apply [--json] FILE [DUMP]\napply [--json] FILE... -- [DUMP]", "change fields from a dump, as set does",
       "Reads the assignments from DUMP (standard input when none is given) in the\n"
       "form show prints (--json: the form show --json prints), and stores them in\n"
       "each FILE as set does.\n",
       true, run_apply},
      {"log", "log [--json] FILE", "the saves in FILE's history, newest first",
       "Prints one line per entry of FILE.history: number, local time, user@host,\n"
       "program and action, and the fields changed from the entry before; with\n"
       "--json an array of objects. Elsewhere FILE@N reads entry N as a record.\n",
       true, run_log},
      {"restore", "restore FILE N", "make the record equal to history entry N",
       "Writes every field that differs from entry N, as set does; the restore is\n"
       "entered in the history as a save of its own.\n",
       false, run_restore},
      {"undo", "undo FILE", "take back the newest save not taken back yet",
       "The fields that save changed get back their earlier values; other fields\n"
       "keep what the file holds now. Repeated undos walk further back.\n",
       false, run_undo},
      {"check-catalogue", "check-catalogue FILE...", "a catalogue's problems; status 1 when any",
       "Prints FILE:LINE: problem lines for what the editor would load wrongly.\n", false, run_check_catalogue},
  };
  return table;
}

const Command* find_command(const std::string& name) {
  for (const Command& c : commands())
    if (name == c.name) return &c;
  return nullptr;
}

std::string parse_invocation(const Command& command, const std::vector<std::string>& args, Invocation& out) {
  for (const std::string& a : args) {
    if (out.separated) {
      out.after.push_back(a);
    } else if (a == "--") {
      out.separated = true;
    } else if (a == "--help" || a == "-h") {
      out.help = true;
    } else if (a == "--json" && command.takes_json) {
      out.json = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return std::string(command.name) + ": unknown option " + quoted_name(a);
    } else {
      out.operands.push_back(a);
    }
  }
  return "";
}

std::vector<std::string> every_operand(const Invocation& in) {
  std::vector<std::string> all = in.operands;
  all.insert(all.end(), in.after.begin(), in.after.end());
  return all;
}

std::string command_help(const Command& command) {
  std::string out;
  const char* lead = "usage: setuprec ";
  for (std::string_view rest = command.synopsis; !rest.empty();) {
    const size_t end = std::min(rest.find('\n'), rest.size());
    out += lead + std::string(rest.substr(0, end)) + "\n";
    lead = "       setuprec ";
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  std::string summary = command.summary;
  summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
  return out + summary + ".\n" + command.details + "A FILE or DUMP of - is standard input. See setuprec(1).\n";
}

std::string quoted_name(const std::string& name) {
  // Appended, not added: g++ 12 warns of an overlap in "'" + std::string.
  std::string out(1, '\'');
  return out.append(printable_name(name)).append(1, '\'');
}

int usage_error(const char* name) {
  std::fputs(command_help(*find_command(name)).c_str(), stderr);
  return STATUS_TROUBLE;
}

int trouble(const std::string& text) {
  std::fprintf(stderr, "setuprec: %s\n", text.c_str());
  return STATUS_TROUBLE;
}
