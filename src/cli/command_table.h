#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/commands.h"

namespace kvt::cli {

// An option some command takes, as it is typed.
struct Option {
  std::string_view name;             // without dashes: "port", "o"
  std::string_view value_name;       // empty for a switch such as --json
  bool empty_refused = false;        // its value names a file or device, which an empty one cannot
  std::string_view short_name = {};  // the one-letter form of a long option: "q" for --quiet
};

// An option as one command takes it, with what it does there.
struct CommandOption {
  std::string_view name;  // as in the options() table
  std::string_view description;
};

// A positional argument after the command's name.
struct Operand {
  std::string_view name;  // in usage lines and usage errors: "FILE"
};

// Any number of further operands, none required, taken only with the option that asks for
// them (ports --probe DEV..., write --each FILE...).
struct MoreOperands {
  const Operand* operand = nullptr;
  std::string_view allowed_by = {};  // the option, without dashes: "probe"; none: always allowed
  std::vector<std::string_view> options = {};  // options that, too, come only with it: "json"
  std::string_view refused;                    // the usage error when any comes without it
};

// One subcommand: everything the command line knows of it. A new command is a row here, its
// help texts in cli_texts.h and its handler in commands.h.
struct Command {
  std::string_view name;
  std::vector<const Operand*> operands;  // each one required, in this order
  std::vector<CommandOption> options;    // the options it takes besides --help and --version
  cli_texts::CommandHelp help;
  int (*run)(const Request&);
  MoreOperands more = {};          // none unless given
  bool draws = false;              // paints with Qt's fonts, so it runs on a QGuiApplication
  std::string_view required = {};  // an option it cannot run without, e.g. "o"
};

const std::vector<Option>& options();
const std::vector<Command>& commands();

// The command called `name`, or none.
const Command* find_command(std::string_view name);
// The first command that `typed` is one slip of the keyboard away from (a letter left out,
// added, changed, or two neighbours swapped), or none.
const Command* command_like(std::string_view typed);
// An option as it is typed: -o, --port.
std::string dashed(std::string_view option);
// The option typed as `name` (long or short form, without dashes), or none.
const Option* find_option(std::string_view name);
// The commands' names in the table's order.
std::vector<std::string> command_names();
// Whether `command` takes the option called `option` (its long name, without dashes).
bool takes(const Command& command, std::string_view option);

}  // namespace kvt::cli
