#pragma once

#include "cli/commands.h"

namespace kvt::cli {

// ports --probe: probes the devices named, or every port the system lists and the port the
// commands use, one after another, and prints a line per port as it is probed (with --json,
// one array at the end). Exit 0 when a panel of this model answers on some port, 1 when none
// does.
int probe_command(const Request& request);

}  // namespace kvt::cli
