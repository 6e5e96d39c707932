#pragma once

#include <optional>
#include <string>
#include <vector>

#include "simulated_panel.h"

namespace kvt::sim {

struct SimOptions {
  std::string link_path;  // --link: a symbolic link made to the pty
  std::string load_path;  // --load: memory to start with
  std::string dump_path;  // --dump: where the memory goes on exit and on SIGUSR1
  std::string log_path;   // --log: frame log; standard error when empty
  std::optional<int> model_byte;
  int delay_ms = 0;
  // --flood-after: frames answered before the next one starts a flood of "0680D" without end
  std::optional<int> flood_after;
  PanelFaults faults;
  bool help = false;
};

// Reads the command line (without the program name). On a bad option returns nothing and
// puts the reason into `problem`.
std::optional<SimOptions> parse_sim_options(const std::vector<std::string>& arguments,
                                            std::string& problem);

// The --help text.
const char* sim_usage();

}  // namespace kvt::sim
