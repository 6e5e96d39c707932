#pragma once

#include "cli/commands.h"

namespace kvt::cli {

// diff: two configuration files compared setting by setting, panel name and designations
// included, each difference on one line in verify's form with the two files' names, or "SAME".
// 0 when they are the same, 1 when they differ, 2 when a file is refused.
int diff_command(const Request& request);

}  // namespace kvt::cli
