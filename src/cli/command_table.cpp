#include "cli/command_table.h"

#include <algorithm>

#include "cli/file_diff.h"
#include "cli/handover_report.h"

namespace kvt::cli {
namespace {

const Operand kFile{cli_texts::kFileOperand};
const Operand kOtherFile{cli_texts::kOtherFileOperand};
const Operand kPaths{cli_texts::kPathOperand};
const Operand kDevices{cli_texts::kDeviceOperand};

const CommandOption kPort{"port", cli_texts::kPortOption};
const CommandOption kQuiet{"quiet", cli_texts::kQuietOption};
const CommandOption kVerbose{"verbose", cli_texts::kVerboseOption};
const CommandOption kPage{"page", cli_texts::kPageOption};
const CommandOption kConfigurationJson{"json", cli_texts::kConfigurationJsonOption};

}  // namespace

const std::vector<Option>& options() {
  static const std::vector<Option> table{
      {"port", "DEV", true},         {"json", ""},           {"name", "NAME"},
      {"o", "FILE", true},           {"probe", ""},          {"quiet", "", false, "q"},
      {"verbose", "", false, "v"},   {"page", "SIZE", true}, {"each", ""},
      {"since", "YYYY-MM-DD", true}, {"file", "FILE", true}, {"n", "N", true},
  };
  return table;
}

const std::vector<Command>& commands() {
  static const std::vector<Command> table{
      {"show", {&kFile}, {kConfigurationJson}, cli_texts::kShowHelp, show_command},
      {"read",
       {},
       {kPort,
        kConfigurationJson,
        {"name", cli_texts::kNameOption},
        {"o", cli_texts::kReadOutputOption},
        kQuiet,
        kVerbose},
       cli_texts::kReadHelp,
       read_command},
      {"write",
       {&kFile},
       {kPort, {"each", cli_texts::kEachOption}, kQuiet, kVerbose},
       cli_texts::kWriteHelp,
       write_command,
       {&kFile, "each", {}, cli_texts::kEachOnly}},
      {"verify", {&kFile}, {kPort, kQuiet, kVerbose}, cli_texts::kVerifyHelp, verify_command},
      {"diff",
       {&kFile, &kOtherFile},
       {{"json", cli_texts::kDiffJsonOption}},
       cli_texts::kDiffHelp,
       diff_command},
      {"ports",
       {},
       {{"port", cli_texts::kPortsPortOption},
        {"probe", cli_texts::kProbeOption},
        {"json", cli_texts::kProbeJsonOption},
        kQuiet,
        kVerbose},
       cli_texts::kPortsHelp,
       ports_command,
       {&kDevices, "probe", {"json"}, cli_texts::kProbeOnly}},
      {"sheet",
       {&kFile},
       {{"o", cli_texts::kSheetOutputOption}, kPage},
       cli_texts::kSheetHelp,
       sheet_command,
       {},
       true},
      {"report",
       {&kPaths},
       {{"o", cli_texts::kReportOutputOption}, kPage},
       cli_texts::kReportHelp,
       report_command,
       {&kPaths, {}, {}, {}},
       true,
       "o"},
      {"log",
       {},
       {{"json", cli_texts::kLogJsonOption},
        {"since", cli_texts::kSinceOption},
        {"file", cli_texts::kJournalFileOption},
        {"n", cli_texts::kCountOption}},
       cli_texts::kLogHelp,
       log_command},
  };
  return table;
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

bool takes(const Command& command, std::string_view option) {
  return std::any_of(command.options.begin(), command.options.end(),
                     [&](const CommandOption& taken) { return taken.name == option; });
}

}  // namespace kvt::cli
