#include "cli/command_table.h"

#include <algorithm>

namespace kvt::cli {
namespace {

const Operand kFile{cli_texts::kFileOperand, "file", cli_texts::kFileArgument,
                    cli_texts::kFileArgumentSyntax};
const Operand kDevices{cli_texts::kDeviceOperand, "dev", cli_texts::kDeviceArgument,
                       cli_texts::kDeviceArgumentSyntax};

// Where a command's summary starts on its line of --help.
constexpr std::size_t kSummaryColumn = 33;

}  // namespace

const std::vector<Option>& options() {
  static const std::vector<Option> table{
      {"port", cli_texts::kPortOption, "DEV", true},
      {"json", cli_texts::kJsonOption, ""},
      {"name", cli_texts::kNameOption, "NAME"},
      {"o", cli_texts::kOutputOption, "FILE", true},
      {"probe", cli_texts::kProbeOption, ""},
      {"page", cli_texts::kPageOption, "SIZE", true},
  };
  return table;
}

const std::vector<Command>& commands() {
  static const std::vector<Command> table{
      {"show", {&kFile}, {"json"}, cli_texts::kShowHelp, show_command},
      {"read", {}, {"port", "json", "name", "o"}, cli_texts::kReadHelp, read_command},
      {"write", {&kFile}, {"port"}, cli_texts::kWriteHelp, write_command},
      {"verify", {&kFile}, {"port"}, cli_texts::kVerifyHelp, verify_command},
      {"ports", {}, {"port", "probe", "json"}, cli_texts::kPortsHelp, ports_command, &kDevices},
      {"sheet", {&kFile}, {"o", "page"}, cli_texts::kSheetHelp, sheet_command, nullptr, true},
  };
  return table;
}

std::vector<const Operand*> operands() {
  std::vector<const Operand*> all;
  for (const Command& command : commands()) {
    std::vector<const Operand*> taken = command.operands;
    if (command.more != nullptr) taken.push_back(command.more);
    for (const Operand* operand : taken) {
      if (std::find(all.begin(), all.end(), operand) == all.end()) all.push_back(operand);
    }
  }
  return all;
}

const Command* find_command(std::string_view name) {
  for (const Command& command : commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::vector<std::string> command_names() {
  std::vector<std::string> names;
  for (const Command& command : commands()) names.emplace_back(command.name);
  return names;
}

std::string command_help() {
  const std::string indent(kSummaryColumn, ' ');
  std::string help;
  for (const Command& command : commands()) {
    std::string line = "  " + std::string(command.help.usage);
    // A usage too long for its column puts the summary on the next line.
    if (line.size() < kSummaryColumn) {
      line.resize(kSummaryColumn, ' ');
    } else {
      line += '\n' + indent;
    }
    for (const char c : command.help.summary) {
      line += c == '\n' ? '\n' + indent : std::string(1, c);
    }
    help += line + '\n';
  }
  return help;
}

}  // namespace kvt::cli
