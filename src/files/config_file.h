#pragma once

#include <string>
#include <variant>

#include "files/config_record.h"

namespace kvt {

// A file the window cannot take: malformed, made for another panel, or holding a negative switch
// code. The user is told with the file/model mismatch message.
struct FileRefused {};
// A file that is missing, cannot be opened or read, is not a regular file, is larger than any
// configuration or was cut short (its record ends without its line end); `reason` is for the
// user.
struct FileUnreadable {
  std::string reason;
};
using ConfigFileReading = std::variant<ConfigRecord, FileRefused, FileUnreadable>;

// Reads and checks the configuration file at `path` without touching the window, for the file
// open and the command line alike. Only a regular file is read: a FIFO, a terminal or any other
// device could block the reader for good, so the opened descriptor itself is checked before the
// first read.
ConfigFileReading read_config_file(const std::string& path);

}  // namespace kvt
