#pragma once

#include <string>
#include <vector>

#include "model/configuration.h"

namespace kvt::cli {

// Every difference between what a panel holds and what a file would write, one line each in
// words ("SW2: panel A 5, file A 1"), compared over the addresses a read takes (all but the
// BL/MR code at address 10, which is never read). Empty when they match.
std::vector<std::string> differences(const ConfigurationBytes& panel,
                                     const ConfigurationBytes& file);

}  // namespace kvt::cli
