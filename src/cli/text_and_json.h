#pragma once

#include <string>
#include <vector>

#include "model/configuration_view.h"
#include "model/not_settings.h"

namespace kvt::cli {

// For people: the panel name, one line per switch, the special features. Control characters in
// the names are shown escaped ("\x1b", "\n", "\0"); the JSON keeps them as they are.
std::string as_text(const ConfigurationView& view);
// One JSON object, for scripts. "not_settings" lists `not_settings` (always there, empty when
// the load met none).
std::string as_json(const ConfigurationView& view, const std::vector<NotSetting>& not_settings);

}  // namespace kvt::cli
