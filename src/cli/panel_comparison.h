#pragma once

#include <string>
#include <vector>

#include "model/configuration.h"

namespace kvt::cli {

// Every difference between what a panel holds and what a file would write, one line each in
// words ("SW2: panel A 5, file A 1"), over every byte a write sends. Bytes that differ but are
// shown alike are named too ("INDEPENDENT LIGHTING: panel on (5), file on (1)"). Empty when they
// match.
std::vector<std::string> differences(const ConfigurationBytes& panel,
                                     const ConfigurationBytes& file);

}  // namespace kvt::cli
