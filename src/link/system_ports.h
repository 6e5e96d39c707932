#pragma once

#include <functional>
#include <string>
#include <vector>

#include "link/port_choice.h"

namespace kvt {

// A serial port the system reports, as the user should see it.
struct SystemPort {
  std::string device;       // e.g. /dev/ttyUSB0
  std::string stable_name;  // its /dev/serial/by-id/... link, empty when it has none
  std::string description;  // description, manufacturer and serial number, where known

  // The name a choice is stored under: the by-id link survives replugging and reboots, where
  // /dev/ttyUSB0 may become /dev/ttyUSB1.
  const std::string& name_to_store() const { return stable_name.empty() ? device : stable_name; }
};

// What QSerialPortInfo lists, in its order.
std::vector<SystemPort> system_ports();

// The sources of the port rule as this process sees them: `flag` (--port, empty when not
// given), KVT_SERIAL_PORT, the choice remembered from the window and the ports `list_ports`
// gives. The list is asked for only when the first three leave the choice open: asking the
// system for its ports costs more CPU than a whole panel command.
PortSources port_sources(const std::string& flag,
                         const std::function<std::vector<SystemPort>()>& list_ports);

// The port rule applied to this process's sources now.
PortChoice current_port(const std::string& flag);

}  // namespace kvt
