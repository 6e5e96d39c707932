#pragma once

#include <cstddef>
#include <string>
#include <variant>

#include "files/config_record.h"

namespace kvt {

// A record is a few hundred bytes; a file larger than this is no configuration and is refused
// whole, unread, so that choosing a huge file by mistake can neither exhaust memory nor have a
// record cut short at the limit taken for the file. Any text up to this length may therefore
// stand in a file, and is shown and saved whole.
inline constexpr std::size_t kMostConfigFileBytes = 1 << 20;

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
