#pragma once

#include <string>

namespace kvt {

// The serial port chosen in the window, kept in the user's settings between runs (QSettings
// under the application's organisation and name). Empty when nothing has been chosen.
std::string remembered_port();
void remember_port(const std::string& device);

}  // namespace kvt
