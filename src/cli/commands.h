#pragma once

#include <string>

namespace kvt::cli {

// What the command line asked for, checked for usage already.
struct Request {
  std::string file;    // show, write, verify: the configuration file
  std::string port;    // --port, empty when not given
  bool json = false;   // --json
  std::string name;    // read: --name, the panel name saved with -o
  std::string output;  // read: -o, the file to save
};

// Each returns the exit status.
int show_command(const Request& request);
int read_command(const Request& request);
int write_command(const Request& request);
int verify_command(const Request& request);
int ports_command(const Request& request);

}  // namespace kvt::cli
