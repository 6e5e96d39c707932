#include "cli/command_table.h"

#include <algorithm>

#include "cli/file_diff.h"
#include "cli/handover_report.h"

namespace kvt::cli {
namespace {

const Operand kFile{cli_texts::kFileOperand, "file", cli_texts::kFileArgument,
                    cli_texts::kFileArgumentSyntax};
const Operand kOtherFile{cli_texts::kOtherFileOperand, "file2", cli_texts::kOtherFileArgument,
                         cli_texts::kOtherFileArgumentSyntax};
const Operand kPaths{cli_texts::kPathOperand, "path", cli_texts::kPathArgument,
                     cli_texts::kPathArgumentSyntax};
const Operand kDevices{cli_texts::kDeviceOperand, "dev", cli_texts::kDeviceArgument,
                       cli_texts::kDeviceArgumentSyntax};

// Where a command's summary starts on its line of --help, and an option's description in
// COMMAND --help.
constexpr std::size_t kSummaryColumn = 33;

// A usage line with its description from kSummaryColumn, a line break in `description`
// starting a further line under the first.
std::string aligned(const std::string& usage, std::string_view description) {
  const std::string indent(kSummaryColumn, ' ');
  std::string line = "  " + usage;
  // A usage too long for its column puts the description on the next line.
  if (line.size() < kSummaryColumn) {
    line.resize(kSummaryColumn, ' ');
  } else {
    line += '\n' + indent;
  }
  for (const char c : description) {
    line += c == '\n' ? '\n' + indent : std::string(1, c);
  }
  return line + '\n';
}

// An option as typed, with its value: "-q, --quiet", "--port DEV".
std::string option_usage(const Option& option) {
  std::string text = dashed(option.name);
  if (!option.short_name.empty()) text = dashed(option.short_name) + ", " + text;
  if (!option.value_name.empty()) text.append(" ").append(option.value_name);
  return text;
}

}  // namespace

const std::vector<Option>& options() {
  static const std::vector<Option> table{
      {"port", cli_texts::kPortOption, "DEV", true},
      {"json", cli_texts::kJsonOption, ""},
      {"name", cli_texts::kNameOption, "NAME"},
      {"o", cli_texts::kOutputOption, "FILE", true},
      {"probe", cli_texts::kProbeOption, ""},
      {"quiet", cli_texts::kQuietOption, "", false, "q"},
      {"verbose", cli_texts::kVerboseOption, "", false, "v"},
      {"page", cli_texts::kPageOption, "SIZE", true},
      {"each", cli_texts::kEachOption, ""},
      {"since", cli_texts::kSinceOption, "YYYY-MM-DD", true},
      {"file", cli_texts::kJournalFileOption, "FILE", true},
      {"n", cli_texts::kCountOption, "N", true},
  };
  return table;
}

const std::vector<Command>& commands() {
  static const std::vector<Command> table{
      {"show", {&kFile}, {"json"}, cli_texts::kShowHelp, show_command},
      {"read",
       {},
       {"port", "json", "name", "o", "quiet", "verbose"},
       cli_texts::kReadHelp,
       read_command},
      {"write",
       {&kFile},
       {"port", "each", "quiet", "verbose"},
       cli_texts::kWriteHelp,
       write_command,
       {&kFile, "each", {}, cli_texts::kEachOnly}},
      {"verify", {&kFile}, {"port", "quiet", "verbose"}, cli_texts::kVerifyHelp, verify_command},
      {"diff", {&kFile, &kOtherFile}, {"json"}, cli_texts::kDiffHelp, diff_command},
      {"ports",
       {},
       {"port", "probe", "json", "quiet", "verbose"},
       cli_texts::kPortsHelp,
       ports_command,
       {&kDevices, "probe", {"json"}, cli_texts::kProbeOnly}},
      {"sheet", {&kFile}, {"o", "page"}, cli_texts::kSheetHelp, sheet_command, {}, true},
      {"report",
       {&kPaths},
       {"o", "page"},
       cli_texts::kReportHelp,
       report_command,
       {&kPaths, {}, {}, {}},
       true,
       "o"},
      {"log", {}, {"json", "since", "file", "n"}, cli_texts::kLogHelp, log_command},
  };
  return table;
}

std::vector<const Operand*> operands() {
  std::vector<const Operand*> all;
  for (const Command& command : commands()) {
    std::vector<const Operand*> taken = command.operands;
    if (command.more.operand != nullptr) taken.push_back(command.more.operand);
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

namespace {

// Whether `a` becomes `b` by one edit: a letter inserted, removed or replaced, or two
// neighbouring letters swapped ("wirte" for "write").
bool one_edit_apart(std::string_view a, std::string_view b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1) return false;
  std::size_t i = 0;
  while (i < a.size() && a[i] == b[i]) ++i;
  if (i == a.size()) return a.size() != b.size();  // equal, or one letter added at the end
  if (a.size() != b.size()) return a.substr(i) == b.substr(i + 1);
  if (a.substr(i + 1) == b.substr(i + 1)) return true;
  return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
         a.substr(i + 2) == b.substr(i + 2);
}

}  // namespace

const Command* command_like(std::string_view typed) {
  for (const Command& command : commands()) {
    if (one_edit_apart(typed, command.name)) return &command;
  }
  return nullptr;
}

std::string dashed(std::string_view option) {
  return (option.size() == 1 ? "-" : "--") + std::string(option);
}

const Option* find_option(std::string_view name) {
  for (const Option& option : options()) {
    if (option.name == name || (!option.short_name.empty() && option.short_name == name)) {
      return &option;
    }
  }
  return nullptr;
}

std::vector<std::string> command_names() {
  std::vector<std::string> names;
  for (const Command& command : commands()) names.emplace_back(command.name);
  return names;
}

std::string command_help() {
  std::string help;
  for (const Command& command : commands()) {
    help += aligned(std::string(command.help.usage), command.help.summary);
  }
  return help;
}

std::string command_help(const Command& command) {
  std::string help = cli_texts::command_usage(command.help.usage) + "\n\n";
  for (const char c : command.help.summary) help += c == '\n' ? ' ' : c;
  help.append(".\n\n").append(cli_texts::kCommandOptionsHeading).append("\n");
  for (const std::string_view name : command.options) {
    const Option& option = *find_option(name);
    help += aligned(option_usage(option), option.description);
  }
  if (!command.help.example.empty()) {
    help.append("\n").append(cli_texts::kExampleHeading).append("\n  ");
    help.append(command.help.example).append("\n");
  }
  return help;
}

}  // namespace kvt::cli
