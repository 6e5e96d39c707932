#pragma once

#include "cli/commands.h"

namespace kvt::cli {

// write --each: a bench of panels, one file each, on the port the rule picks. For each file in
// turn it asks for the file's panel, probes the port every half second until a panel of this
// model answers, writes it as write does and asks for it to be unplugged; before the next file
// it probes until that panel no longer answers, so that no panel is written twice. A refused
// file, or a write that fails, is counted and the run goes on; a summary line ends it. Exit 0
// when every file was written, 1 when any failed, 128 + n when signal n stopped it.
int write_each_command(const Request& request);

}  // namespace kvt::cli
