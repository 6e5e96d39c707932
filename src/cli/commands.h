#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/console.h"
#include "commands/panel_commands.h"

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
  bool each = false;                  // write: --each, a panel for each file in turn
  std::string since;                  // log: --since, empty when not given
  std::string file;                   // log: --file, empty when not given
  std::optional<std::string> count;   // log: -n
};

// What -q or -v asked for.
Loudness loudness_of(const Request& request);

class HeadlessEditor;
class Interruption;

// The steps of write, which write --each takes for each file: a console that counts a write's
// bytes; the file opened into `editor` (false, said on standard error, when it is refused or
// cannot be read); then the file opened written into the panel on the port the rule picks, its
// outcome said, stop signals answered by `interruption`.
Console write_console(const Request& request);
bool open_to_write(const Request& request, HeadlessEditor& editor, const std::string& path);
CommandEnd write_opened(const Request& request, HeadlessEditor& editor, Console& console,
                        Interruption& interruption, const std::string& path);

// The handlers of the command table; each returns the exit status. show, write, verify and
// sheet take the configuration file as their one operand (write --each: one or more).
int show_command(const Request& request);
int read_command(const Request& request);
int write_command(const Request& request);
int verify_command(const Request& request);
int ports_command(const Request& request);
int sheet_command(const Request& request);
int log_command(const Request& request);

}  // namespace kvt::cli
