#include "files/file_texts.h"

namespace kvt::file_texts {

std::string not_read(const std::string& path, const std::string& reason) {
  return "CONFIGURATION FILE COULD NOT BE READ: " + path + " (" + reason + ")";
}

std::string not_saved(const std::string& path, const std::string& reason) {
  return "CONFIGURATION FILE WAS NOT SAVED: " + path + " (" + reason + ")";
}

}  // namespace kvt::file_texts
