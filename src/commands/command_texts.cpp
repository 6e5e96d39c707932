#include "commands/command_texts.h"

#include "files/visible_text.h"

namespace kvt::command_texts {

std::string not_read(const std::string& path, const std::string& reason) {
  return "CONFIGURATION FILE COULD NOT BE READ: " + visible_text(path) + " (" + reason + ")";
}

std::string not_saved(const std::string& path, const std::string& reason) {
  return "CONFIGURATION FILE WAS NOT SAVED: " + visible_text(path) + " (" + reason + ")";
}

std::string not_recorded(const std::string& path, const std::string& reason) {
  return "NOT RECORDED IN THE JOURNAL " + visible_text(path) + " (" + reason + ")";
}

}  // namespace kvt::command_texts
