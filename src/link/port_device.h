#pragma once

#include <string>

namespace kvt {

// The device behind port number `port` (counted from 1): port n is /dev/ttyS(n-1), except that
// the environment variable KVT_SERIAL_PORT, when set and not empty, names the device of port 1
// (a USB adapter such as /dev/ttyUSB0, a /dev/serial/by-id/... link, or a simulator's pty).
std::string device_for_port(int port);

}  // namespace kvt
