#pragma once

#include <string>

namespace kvt {

// The window's texts are UTF-8; a configuration file holds them as Latin-1, one byte per
// character. A character Latin-1 cannot hold is saved as '?' (the window lets none be typed).
std::string to_file_text(const std::string& utf8);
std::string from_file_text(const std::string& latin1);

}  // namespace kvt
