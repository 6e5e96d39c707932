#include "link/port_device.h"

namespace kvt {

std::string device_for_port(int port, const std::string& port_one) {
  if (port == 1) return port_one;
  return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace kvt
