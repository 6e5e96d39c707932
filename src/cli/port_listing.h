#pragma once

#include <string>
#include <vector>

#include "link/system_ports.h"

namespace kvt::cli {

// What `kvt-config ports` prints: the serial ports `listed`, a settings file or remembered port
// that is ignored and why, then the port commands use and why (`flag`: --port, empty when not
// given).
std::string ports_listing(const std::string& flag, const std::vector<SystemPort>& listed);

}  // namespace kvt::cli
