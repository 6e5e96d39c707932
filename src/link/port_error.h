#pragma once

#include <optional>
#include <string>
#include <utility>

#include "link/port_holders.h"

namespace kvt {

// Why the serial port is not usable: it would not open, or it broke down while open.
enum class PortProblem {
  NoSuchDevice,          // the device is missing, or no hardware answers behind it
  PermissionDenied,      // the device exists but this user may not read and write it
  InUse,                 // another program holds the device with a lock (flock)
  OpenInAnotherProgram,  // the device opened, but PortError::holder has it open too
  OtherOpenFailure,      // any other refusal; PortError::system_text says what
  FailedWhileOpen,       // the device went away or stopped working during use
};

struct PortError {
  PortError() = default;
  PortError(PortProblem what, std::string on_device, std::string system_words = {})
      : problem(what), device(std::move(on_device)), system_text(std::move(system_words)) {}

  PortProblem problem = PortProblem::OtherOpenFailure;
  std::string device;                // the device the user configured, e.g. /dev/ttyUSB0
  std::string system_text;           // the operating system's own words, for the rare other cases
  std::string device_group;          // PermissionDenied: the group that owns the device, if known
  std::optional<PortHolder> holder;  // OpenInAnotherProgram: that program
};

// What the port layer reported when an open failed.
enum class OpenRefusal { NotFound, Permission, Other };

// Tells the three causes of a refused open apart. `access_errno` is 0 when access(2) grants
// read and write on the device, otherwise the errno it gave. Several reasons look alike to the
// port layer: a device held by another program and one this user may not touch are both
// "permission" refusals, and only the access rights tell them apart.
PortProblem classify_open_failure(OpenRefusal refusal, int access_errno);

// The name of the group that owns `device` (its number where the group has no name), or empty
// when the device cannot be looked at. Serial devices usually belong to dialout, but not on
// every system, and a pty belongs to tty.
std::string group_of(const std::string& device);

// Whether the port never opened (the open was refused), as against opened and then given up.
bool is_open_refusal(PortProblem problem);

// The user-facing description: our words in capitals, the device and the system's own words as
// they are (a path keeps its letters), with advice where the user can act. Shown after
// "SERIAL PORT COULD NOT BE OPENED: " for the open failures.
std::string describe_port_error(const PortError& error);

}  // namespace kvt
