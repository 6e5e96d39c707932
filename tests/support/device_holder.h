#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace kvt::testing {

// Another program that has a serial device open without a lock, as ModemManager or a terminal
// left open does: a `sleep` of its own holding `device`. With `other_pty_master` it also holds
// the master side of a pty of its own, which makes it no end of the device's line. Killed with
// the object.
class DeviceHolder {
 public:
  explicit DeviceHolder(const std::string& device, bool other_pty_master = false) {
    pid_ = ::fork();
    if (pid_ == 0) {
      // Only calls that are safe between fork and exec.
      if (::open(device.c_str(), O_RDWR | O_NOCTTY) < 0) ::_exit(126);
      if (other_pty_master && ::open("/dev/ptmx", O_RDWR | O_NOCTTY) < 0) ::_exit(126);
      ::execl("/bin/sleep", "sleep", "60", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // Holding the device once it runs sleep: the descriptors were opened before.
    for (int tries = 0; tries < 500 && name() != "sleep"; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~DeviceHolder() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  DeviceHolder(const DeviceHolder&) = delete;
  DeviceHolder& operator=(const DeviceHolder&) = delete;

  pid_t pid() const { return pid_; }
  // Whether it holds the device: it started and runs sleep.
  bool holding() const { return pid_ > 0 && name() == "sleep"; }

 private:
  std::string name() const {
    std::ifstream comm("/proc/" + std::to_string(pid_) + "/comm");
    std::string line;
    std::getline(comm, line);
    return line;
  }

  pid_t pid_ = -1;
};

}  // namespace kvt::testing
