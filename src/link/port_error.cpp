#include "link/port_error.h"

#include <cerrno>

namespace kvt {

PortProblem classify_open_failure(OpenRefusal refusal, int access_errno) {
  if (refusal == OpenRefusal::NotFound || access_errno == ENOENT || access_errno == ENOTDIR) {
    return PortProblem::NoSuchDevice;
  }
  if (access_errno == EACCES || access_errno == EPERM || access_errno == EROFS) {
    return PortProblem::PermissionDenied;
  }
  // The user may read and write the device, yet the port layer refused for permission: the
  // device is locked or held exclusively by another program.
  if (refusal == OpenRefusal::Permission) return PortProblem::InUse;
  return PortProblem::OtherOpenFailure;
}

std::string describe_port_error(const PortError& error) {
  switch (error.problem) {
    case PortProblem::NoSuchDevice:
      return "THERE IS NO SERIAL DEVICE " + error.device +
             ". CONNECT THE SWITCH PANEL CABLE, OR CHOOSE THE PORT OF YOUR SERIAL ADAPTER (FOR "
             "EXAMPLE /dev/ttyUSB0).";
    case PortProblem::PermissionDenied:
      return "YOU ARE NOT ALLOWED TO USE " + error.device +
             ". ASK YOUR ADMINISTRATOR TO ADD YOU TO THE dialout GROUP, THEN LOG OUT AND IN "
             "AGAIN.";
    case PortProblem::InUse:
      return error.device + " IS IN USE BY ANOTHER PROGRAM. CLOSE THAT PROGRAM AND TRY AGAIN.";
    case PortProblem::OtherOpenFailure:
      return error.device + " REFUSED TO OPEN (" + error.system_text + ").";
    case PortProblem::FailedWhileOpen:
      return "THE SERIAL PORT " + error.device +
             " STOPPED WORKING. CHECK THAT THE CABLE AND ADAPTER ARE PLUGGED IN, THEN TRY AGAIN.";
  }
  return {};
}

}  // namespace kvt
