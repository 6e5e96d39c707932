#pragma once

#include <string>

namespace kvt {

// The device behind port number `port` (counted from 1): port 1 is `port_one`, the device the
// port rule chose (see port_choice.h); any other port n is /dev/ttyS(n-1).
std::string device_for_port(int port, const std::string& port_one);

}  // namespace kvt
