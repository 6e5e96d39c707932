#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace kvt {

// A program that has the serial device open besides us.
struct PortHolder {
  std::string name;  // as the system names the process (its comm), e.g. "ModemManager"
  pid_t pid = 0;
};

// The first other process, by PID, that holds `device` open, matched by device number so that
// every name of the device counts (a /dev/serial/by-id link and /dev/ttyUSB0 alike). Not
// counted: this process, a process whose descriptors the system will not show us, and a process
// that also holds the master side of the pseudo-terminal `device` is (the far end of the line: a
// simulated panel). Programs that do not use flock (ModemManager probing a new adapter, a
// terminal left open) are found only so, and would otherwise take the panel's replies.
std::optional<PortHolder> other_program_holding(const std::string& device);

}  // namespace kvt
