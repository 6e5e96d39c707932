#pragma once

#include <string>

namespace kvt::cli {

// True when the arguments ask for a command (show, read, ... sheet) or an option
// such as --help, rather than for the window.
bool wants_command_line(int argc, char* argv[]);

// Says `problem` in one line and where to read more; returns the exit status of a usage error.
int usage_error(const std::string& problem);

// Runs the command the arguments name on a QCoreApplication and returns the exit status. Never
// loads a platform plugin, so it works over ssh and from cron.
int run_command_line(int argc, char* argv[]);

}  // namespace kvt::cli
