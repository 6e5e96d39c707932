#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/controls.h"
#include "model/panel_config.h"
#include "model/switch_rows.h"

namespace kvt {

struct SwitchView {
  std::string module;          // "A".."P", "BL/MR" or "N/A"
  std::optional<int> channel;  // 1..10 for a module, otherwise none
  std::string setting;         // as setting_text words it: "B 3", "BL/MR", "N/A"
  std::string designation;
};

// A configuration as the controls show it, for printing on a terminal or on paper.
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

}  // namespace kvt
