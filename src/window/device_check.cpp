#include "window/device_check.h"

#include <sys/stat.h>

namespace kvt {

DeviceCheck check_device(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return DeviceCheck::Missing;
  return S_ISCHR(status.st_mode) ? DeviceCheck::CharacterDevice : DeviceCheck::NotCharacterDevice;
}

}  // namespace kvt
