#include "pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kvt::sim {

namespace {

[[noreturn]] void fail(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  try {
    open_pair();
  } catch (...) {
    close_all();
    throw;
  }
}

PseudoTerminal::~PseudoTerminal() { close_all(); }

void PseudoTerminal::open_pair() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) fail("posix_openpt");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) fail("unlocking the pty");
  const char* name = ::ptsname(master_);
  if (name == nullptr) fail("ptsname");
  device_path_ = name;

  held_device_side_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (held_device_side_ < 0) fail("opening the pty's device side");
  termios settings{};
  if (::tcgetattr(held_device_side_, &settings) != 0) fail("tcgetattr");
  ::cfmakeraw(&settings);
  if (::tcsetattr(held_device_side_, TCSANOW, &settings) != 0) fail("tcsetattr");
}

void PseudoTerminal::close_all() {
  if (held_device_side_ >= 0) ::close(held_device_side_);
  if (master_ >= 0) ::close(master_);
  held_device_side_ = master_ = -1;
}

}  // namespace kvt::sim
