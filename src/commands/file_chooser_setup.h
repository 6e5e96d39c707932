#pragma once

#include <string>
#include <string_view>

#include "commands/command_texts.h"
#include "model/dialogs.h"

namespace kvt {

// Both file commands offer only configuration files; a name typed without an extension gets
// ".kvc".
inline void prepare_chooser(FileChooser& chooser, std::string_view title) {
  chooser.filter = std::string(command_texts::kChooserFilter);
  chooser.title = std::string(title);
  chooser.default_suffix = "kvc";
}

}  // namespace kvt
