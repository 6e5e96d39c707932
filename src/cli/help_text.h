#pragma once

#include <cstddef>
#include <string>

#include "cli/command_table.h"

namespace kvt::cli {

// The width help is wrapped to: the terminal's when standard output is one, else 80 columns.
std::size_t help_width();

// --help: how the program is called, its commands, the port rule, every command's options and
// the exit status, wrapped to `width` columns.
std::string program_help(std::size_t width);

// COMMAND --help: the command's usage, what it does, its own options and an example, wrapped to
// `width` columns.
std::string command_help(const Command& command, std::size_t width);

}  // namespace kvt::cli
