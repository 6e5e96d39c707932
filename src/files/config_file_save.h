#pragma once

#include <optional>
#include <string>

#include "files/config_record.h"

namespace kvt {

// Writes `contents` as the file at `path`: a regular file, a symbolic link to one (the file it
// names is replaced, the link stays) or a name not yet taken. Anything else there, a device
// node, a FIFO, a socket or a folder, is refused before anything is written. The file is
// replaced only once the new one is wholly on disk, so it is either the old file or the complete
// new one; a replaced file keeps its owner and group (as far as the system lets this process
// give a file away) and its permissions. The new file is made under a short name of its own in
// the same folder, and SIGINT, SIGTERM and SIGHUP are held back until it has been put in place or
// removed, so no signal leaves it behind. Returns the reason, for the user, when it fails.
std::optional<std::string> write_whole_file(const std::string& path, const std::string& contents);

// Where writing at `path` lands, its symbolic links followed: `name` when that is a regular file
// or a name not yet taken; otherwise `refused` says why nothing may be written there (a device
// node, a FIFO, a socket or a folder, or a name that cannot be looked at).
struct WritablePlace {
  std::string name;
  std::optional<std::string> refused;
};
WritablePlace writable_place(const std::string& path);

// Writes `record` as the file at `path`, as write_whole_file does.
std::optional<std::string> write_config_record(const std::string& path, const ConfigRecord& record);

}  // namespace kvt
