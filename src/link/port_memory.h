#pragma once

#include <string>
#include <string_view>

namespace kvt {

// The serial port chosen in the window, kept in the user's settings file between runs.
struct RememberedPort {
  std::string device;  // empty when nothing usable has been chosen
  // Why a stored port is ignored, from link_texts; empty when none is stored or it is usable.
  std::string_view ignored_because;
};

// A stored value that cannot name a device (empty, holding a NUL or another control character,
// not an absolute path: a damaged settings file) is ignored as if nothing were chosen; opening
// such a name could crash the port layer.
RememberedPort remembered_port();
void remember_port(const std::string& device);

}  // namespace kvt
