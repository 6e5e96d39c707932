#pragma once

#include <optional>
#include <string>

#include "files/config_record.h"

namespace kvt {

// Writes `record` as the file at `path`. The file is replaced only once the new one is wholly on
// disk, so it is either the old file or the complete new one. Returns the reason, for the user,
// when it fails.
std::optional<std::string> write_config_record(const std::string& path, const ConfigRecord& record);

}  // namespace kvt
