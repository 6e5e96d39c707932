#pragma once

#include <string>

#include "model/configuration_view.h"

namespace kvt::cli {

// For people: the panel name, one line per switch, the special features. Control characters in
// the names are shown escaped ("\x1b", "\n", "\0"); the JSON keeps them as they are.
std::string as_text(const ConfigurationView& view);
// One JSON object, for scripts.
std::string as_json(const ConfigurationView& view);

}  // namespace kvt::cli
