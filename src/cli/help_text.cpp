#include "cli/help_text.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "cli/cli_texts.h"

namespace kvt::cli {
namespace {

constexpr std::size_t kDefaultWidth = 80;
// Where what a command does starts on its line of --help, and what an option does.
constexpr std::size_t kCommandColumn = 33;
constexpr std::size_t kOptionColumn = 24;
constexpr std::size_t kExitStatusColumn = 9;
// Below this many columns for the text, a narrow terminal still gets words it can read.
constexpr std::size_t kNarrowestText = 20;

// `text` as lines of at most `width` columns, the first starting at column `first`, the others
// at `indent`, all but the first preceded by `indent` spaces. A word longer than a line stands
// alone on its line.
std::string wrapped(std::string_view text, std::size_t first, std::size_t indent,
                    std::size_t width) {
  const std::size_t end = std::max(width, indent + kNarrowestText);
  std::string out;
  std::size_t column = first;
  bool line_empty = true;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    const std::size_t word_end = std::min(text.find(' ', at), text.size());
    const std::string_view word = text.substr(at, word_end - at);
    if (!line_empty && column + 1 + word.size() > end) {
      out += '\n' + std::string(indent, ' ');
      column = indent;
      line_empty = true;
    }
    if (!line_empty) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    line_empty = false;
    at = word_end;
  }
  return out + '\n';
}

// A name and what it stands for: "  --port DEV        The serial device..." with the text from
// `column`, or on the next line when the name reaches it.
std::string item(std::string_view name, std::string_view text, std::size_t column,
                 std::size_t width) {
  std::string line = "  " + std::string(name);
  if (line.size() + 2 <= column) {
    line.resize(column, ' ');
  } else {
    line += '\n' + std::string(column, ' ');
  }
  return line + wrapped(text, column, column, width);
}

// An option as typed, with its value: "-q, --quiet", "--port DEV".
std::string option_usage(const Option& option) {
  std::string text = dashed(option.name);
  if (!option.short_name.empty()) text = dashed(option.short_name) + ", " + text;
  if (!option.value_name.empty()) text.append(" ").append(option.value_name);
  return text;
}

std::string options_of(const Command& command, std::size_t width) {
  std::string list;
  for (const CommandOption& taken : command.options) {
    list += item(option_usage(*find_option(taken.name)), taken.description, kOptionColumn, width);
  }
  return list;
}

}  // namespace

std::size_t help_width() {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return kDefaultWidth;
}

std::string program_help(std::size_t width) {
  std::string help = std::string(cli_texts::kHelpUsage) + '\n';
  help += wrapped(cli_texts::kHelpIntroduction, 0, 0, width) + '\n';
  help.append(cli_texts::kCommandsHeading).append("\n");
  for (const Command& command : commands()) {
    help += item(command.help.usage, command.help.summary, kCommandColumn, width);
  }
  help += '\n' + wrapped(cli_texts::kPortRule, 0, 0, width) + '\n';
  help.append(cli_texts::kOptionsHeading).append("\n");
  help += item("-h, --help", cli_texts::kHelpOption, kOptionColumn, width);
  help += item("--version", cli_texts::kVersionOption, kOptionColumn, width);
  for (const Command& command : commands()) {
    help += '\n' + cli_texts::options_of(command.name) + '\n' + options_of(command, width);
  }
  help.append("\n").append(cli_texts::kExitStatusHeading).append("\n");
  for (const cli_texts::ExitStatusHelp& status : cli_texts::kExitStatusHelp) {
    help += item(status.status, status.meaning, kExitStatusColumn, width);
  }
  return help;
}

std::string command_help(const Command& command, std::size_t width) {
  const std::string usage = cli_texts::command_usage(command.help.usage);
  std::string help = wrapped(usage, 0, usage.find(command.name) + command.name.size() + 1, width);
  help += wrapped(command.help.summary, 0, 0, width);
  help.append("\n").append(cli_texts::kOptionsHeading).append("\n");
  help += options_of(command, width);
  if (!command.help.example.empty()) {
    help.append("\n").append(cli_texts::kExampleHeading).append("\n");
    std::string_view examples = command.help.example;
    while (!examples.empty()) {
      const std::size_t line_end = std::min(examples.find('\n'), examples.size());
      help.append("  ").append(examples.substr(0, line_end)).append("\n");
      examples.remove_prefix(std::min(line_end + 1, examples.size()));
    }
  }
  return help;
}

}  // namespace kvt::cli
