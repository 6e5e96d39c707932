// --help and COMMAND --help as the built program prints them: each command's help holds its own
// options and nothing of another command's, and every line fits the width it is wrapped to.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/help_text.h"
#include "kvt_process.h"

namespace kvt::cli {
// A command's case is named by the command.
void PrintTo(const Command& command, std::ostream* out) { *out << command.name; }
}  // namespace kvt::cli

namespace {

using kvt::cli::Command;
using kvt::testing::run_kvt;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The options a help text lists: the first word of each line that starts with "  -", with a
// short form's long form taken ("-q, --quiet" is --quiet).
std::set<std::string> options_listed(const std::string& help) {
  std::set<std::string> listed;
  for (const std::string& line : lines_of(help)) {
    if (!line.starts_with("  -")) continue;
    std::string option = line.substr(2, line.find(' ', 2) - 2);
    if (option.ends_with(',')) option = line.substr(6, line.find(' ', 6) - 6);
    listed.insert(option);
  }
  return listed;
}

std::set<std::string> options_of(const Command& command) {
  std::set<std::string> taken;
  for (const auto& option : command.options) taken.insert(kvt::cli::dashed(option.name));
  return taken;
}

// Whether `option` stands in `text` as a word of its own: "--json" in "[--json]", not in "--jsonl".
bool mentions(const std::string& text, const std::string& option) {
  const auto part_of_name = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
  };
  for (std::size_t at = text.find(option); at != std::string::npos;
       at = text.find(option, at + 1)) {
    const std::size_t end = at + option.size();
    if ((at == 0 || !part_of_name(text[at - 1])) &&
        (end == text.size() || !part_of_name(text[end]))) {
      return true;
    }
  }
  return false;
}

void expect_within(const std::string& help, std::size_t width) {
  for (const std::string& line : lines_of(help)) {
    EXPECT_LE(line.size(), width) << line;
  }
}

class CommandHelp : public ::testing::TestWithParam<Command> {};

// Standard output is no terminal here, so the help is wrapped to 80 columns.
TEST_P(CommandHelp, HoldsItsOwnOptionsOnlyWithinEightyColumns) {
  const Command& command = GetParam();
  const auto result = run_kvt({QString::fromUtf8(command.name), QStringLiteral("--help")});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(result.out.starts_with("Usage: kvt-config " + std::string(command.name) + " "))
      << result.out;
  EXPECT_EQ(options_listed(result.out), options_of(command)) << result.out;
  // Nor is another command's option named anywhere in it.
  for (const auto& option : kvt::cli::options()) {
    const std::string typed = kvt::cli::dashed(option.name);
    if (!options_of(command).contains(typed)) {
      EXPECT_FALSE(mentions(result.out, typed)) << typed << " in\n" << result.out;
    }
  }
  EXPECT_NE(result.out.find("\nExample:\n  kvt-config " + std::string(command.name) + " "),
            std::string::npos)
      << result.out;
  expect_within(result.out, 80);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandHelp, ::testing::ValuesIn(kvt::cli::commands()),
                         [](const auto& info) { return std::string(info.param.name); });

// The manual page is made from --help: every command's options are there, under its name.
TEST(ProgramHelp, ListsEachCommandsOptionsWithinEightyColumns) {
  const auto result = run_kvt({QStringLiteral("--help")});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  for (const Command& command : kvt::cli::commands()) {
    const std::string heading = "\nOptions of " + std::string(command.name) + ":\n";
    const std::size_t from = result.out.find(heading);
    ASSERT_NE(from, std::string::npos) << heading << result.out;
    const std::size_t to = result.out.find("\n\n", from + 1);
    EXPECT_EQ(options_listed(result.out.substr(from, to - from)), options_of(command)) << heading;
  }
  expect_within(result.out, 80);
}

class HelpWidth : public ::testing::TestWithParam<std::size_t> {};

// A wider or narrower terminal gets lines to its width, and no word is lost or split on the way.
TEST_P(HelpWidth, WrapsEveryTextToTheWidth) {
  const std::size_t width = GetParam();
  const auto words = [](const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string word; in >> word;) all.push_back(word);
    return all;
  };
  const std::string wide = kvt::cli::program_help(1000);
  const std::string help = kvt::cli::program_help(width);
  expect_within(help, width);
  EXPECT_EQ(words(help), words(wide));
  for (const Command& command : kvt::cli::commands()) {
    const std::string one = kvt::cli::command_help(command, width);
    expect_within(one, width);
    EXPECT_EQ(words(one), words(kvt::cli::command_help(command, 1000)));
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, HelpWidth, ::testing::Values(72, 100, 132));

}  // namespace
