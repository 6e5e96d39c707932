#pragma once

#include <string>

#include "model/dialogs.h"

namespace kvt {

// Both file commands offer only configuration files; a name typed without an extension gets
// ".kvc".
inline void prepare_chooser(FileChooser& chooser, const std::string& title) {
  chooser.filter = "KORVELANTIX CONFIGURATION FILES (*.kvc)";
  chooser.title = title;
  chooser.default_suffix = "kvc";
}

}  // namespace kvt
