#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/memory_map.h"
#include "model/panel_config.h"
#include "model/switch_rows.h"

namespace kvt {

// The configuration bytes of panel addresses 0 to 13, indexed by address: the ten switch codes,
// the BL/MR code, the independent-lighting flag and the two intensity codes.
using ConfigurationBytes = std::array<std::int16_t, memory_map::kConfigurationSize>;

// What only a configuration file holds beside the bytes.
struct ConfigurationNames {
  std::string panel;                                   // UTF-8
  std::array<std::string, kSwitchCount> designations;  // UTF-8, by switch number - 1
};

// One whole configuration as it enters the window.
struct Configuration {
  ConfigurationBytes bytes{};
  std::optional<ConfigurationNames> names;  // none for what a panel holds
};

// The bytes a write sends, from the values build_write_data computed and BL, feature and the
// two intensity codes.
ConfigurationBytes configuration_bytes(const PanelConfig& config);

}  // namespace kvt
