#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/controls.h"
#include "model/panel_config.h"
#include "model/switch_rows.h"

namespace kvt::cli {

struct SwitchView {
  std::string module;          // "A".."P", "BL/MR" or "N/A"
  std::optional<int> channel;  // 1..10 for a module, otherwise none
  std::string designation;
};

// A configuration as the controls show it, for printing.
struct ConfigurationView {
  std::string panel;
  std::array<SwitchView, kSwitchCount> switches;
  bool independent_lighting = false;
  int indicator_percent = 0;
  int backlight_percent = 0;
  // The bytes a write would send; none while a switch is incomplete.
  std::optional<ConfigurationBytes> codes;
};

// Reads the view off the controls, changing nothing; the codes are computed as a write
// computes them.
ConfigurationView view_of(const PanelConfig& config, const Controls& controls);

// For people: the panel name, one line per switch, the special features. Control characters in
// the names are shown escaped ("\x1b", "\n", "\0"); the JSON keeps them as they are.
std::string as_text(const ConfigurationView& view);
// One JSON object, for scripts.
std::string as_json(const ConfigurationView& view);

}  // namespace kvt::cli
