#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "commands/command_texts.h"
#include "model/dialogs.h"

namespace kvt {

// The name a file of the panel's is offered under: the panel name and `suffix`. A "/" in the
// name would point into a subfolder, so it becomes "-"; a name longer than a folder holds (255
// bytes) is shortened, between two characters.
inline std::string offered_file_name(std::string panel_name, std::string_view suffix) {
  constexpr std::size_t kLongestName = 255;
  std::replace(panel_name.begin(), panel_name.end(), '/', '-');
  std::size_t end = std::min(panel_name.size(), kLongestName - suffix.size());
  const auto continues_a_character = [&](std::size_t i) {
    return (static_cast<unsigned char>(panel_name[i]) & 0xC0) == 0x80;
  };
  while (end > 0 && end < panel_name.size() && continues_a_character(end)) --end;
  panel_name.resize(end);
  return panel_name + std::string(suffix);
}

// Both file commands offer only configuration files; a name typed without an extension gets
// ".kvc".
inline void prepare_chooser(FileChooser& chooser, std::string_view title) {
  chooser.filter = std::string(command_texts::kChooserFilter);
  chooser.title = std::string(title);
  chooser.default_suffix = "kvc";
}

}  // namespace kvt
