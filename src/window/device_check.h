#pragma once

#include <string>

namespace kvt {

// What a path typed as a serial port is. A serial port is a character device; the check follows
// links, as opening the port does.
enum class DeviceCheck { CharacterDevice, Missing, NotCharacterDevice };

DeviceCheck check_device(const std::string& path);

}  // namespace kvt
