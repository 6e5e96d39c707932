#pragma once

#include <string>
#include <vector>

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

}  // namespace kvt
