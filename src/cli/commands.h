#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/console.h"

namespace kvt::cli {

// What the command line asked for, checked for usage already.
struct Request {
  std::vector<std::string> operands;  // as the command's row in the table names them
  std::string port;                   // --port, empty when not given
  bool json = false;                  // --json
  std::string name;                   // read: --name, the panel name saved with -o
  std::string output;                 // read: -o, the file to save
  bool probe = false;                 // ports: --probe
  bool quiet = false;                 // -q: no progress, no success message
  bool verbose = false;               // -v: every frame and reply on standard error
  std::string page;                   // sheet: --page, empty when not given
  std::string since;                  // log: --since, empty when not given
  std::string file;                   // log: --file, empty when not given
  std::optional<std::string> count;   // log: -n
};

// What -q or -v asked for.
Loudness loudness_of(const Request& request);

// The handlers of the command table; each returns the exit status. show, write, verify and
// sheet take the configuration file as their one operand.
int show_command(const Request& request);
int read_command(const Request& request);
int write_command(const Request& request);
int verify_command(const Request& request);
int ports_command(const Request& request);
int sheet_command(const Request& request);
int log_command(const Request& request);

}  // namespace kvt::cli
