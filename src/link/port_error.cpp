#include "link/port_error.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "link/link_texts.h"

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

std::string group_of(const std::string& device) {
  struct stat status {};
  if (::stat(device.c_str(), &status) != 0) return {};
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(16384);
  if (::getgrgid_r(status.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr) {
    return found->gr_name;
  }
  return std::to_string(status.st_gid);
}

bool is_open_refusal(PortProblem problem) {
  return problem != PortProblem::FailedWhileOpen && problem != PortProblem::OpenInAnotherProgram;
}

std::string describe_port_error(const PortError& error) {
  switch (error.problem) {
    case PortProblem::NoSuchDevice:
      return link_texts::no_such_device(error.device);
    case PortProblem::PermissionDenied:
      return link_texts::permission_denied(error.device, error.device_group);
    case PortProblem::InUse:
      return link_texts::port_in_use(error.device);
    case PortProblem::OpenInAnotherProgram:
      if (!error.holder) return link_texts::port_in_use(error.device);
      return link_texts::port_open_elsewhere(
          error.device, link_texts::program_and_pid(error.holder->name, error.holder->pid));
    case PortProblem::OtherOpenFailure:
      return link_texts::port_refused(error.device, error.system_text);
    case PortProblem::FailedWhileOpen:
      return link_texts::port_stopped_working(error.device);
  }
  return {};
}

}  // namespace kvt
