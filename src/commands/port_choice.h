#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "link/system_ports.h"

namespace kvt {

// Everything that may decide which serial device the panel is on. Empty strings are unset.
struct PortSources {
  std::string flag;                    // --port on the command line
  std::string environment;             // KVT_SERIAL_PORT
  std::string remembered;              // the port last chosen in the window
  std::vector<std::string> available;  // the serial devices the system reports, e.g. /dev/ttyUSB0
};

enum class PortReason { Flag, Environment, Remembered, Default, OnlyOtherPort };

struct PortChoice {
  std::string device;
  PortReason reason = PortReason::Default;
};

inline constexpr std::string_view kDefaultPort = "/dev/ttyS0";

// The one rule for the window, the command line and `kvt-config ports`: --port, then
// KVT_SERIAL_PORT, then the port chosen in the window, otherwise /dev/ttyS0. Many PCs report a
// /dev/ttyS0 with nothing behind it, but when the system does not list one and exactly one other
// serial port is present, that one is used instead: a single USB adapter is almost always the
// panel's.
PortChoice choose_port(const PortSources& sources);

// Why the choice fell where it did, in a few words for the user.
std::string_view reason_text(PortReason reason);

// The sources of the port rule as this process sees them: `flag` (--port, empty when not
// given), KVT_SERIAL_PORT, the choice remembered from the window and the ports `list_ports`
// gives. The list is asked for only when the first three leave the choice open: asking the
// system for its ports costs more CPU than a whole panel command.
PortSources port_sources(const std::string& flag,
                         const std::function<std::vector<SystemPort>()>& list_ports);

// The port rule applied to this process's sources now.
PortChoice current_port(const std::string& flag);

}  // namespace kvt
