#include "link/port_device.h"

#include <cstdlib>

namespace kvt {

std::string device_for_port(int port) {
  if (port == 1) {
    const char* chosen = std::getenv("KVT_SERIAL_PORT");
    if (chosen != nullptr && *chosen != '\0') return chosen;
  }
  return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace kvt
