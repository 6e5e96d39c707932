#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "model/controls.h"
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

// One configuration file's contents as they enter the window.
struct Configuration {
  ConfigurationBytes bytes{};
  ConfigurationNames names;
};

// A switch on a module without a channel, or with a channel but no module: nothing is written
// or saved while one is left.
struct IncompleteSwitch {
  int number;
  bool operator==(const IncompleteSwitch&) const = default;
};

// The bytes a write to the panel or a save sends, as the controls set them: each switch's code
// from its module and channel lists (a switch on "N/A" or "BL/MR" that list item's code), BL/MR
// as 159, and independent lighting and the intensities as stored; or the first incomplete
// switch.
std::variant<ConfigurationBytes, IncompleteSwitch> bytes_to_write(const PanelConfig& config,
                                                                  const Controls& controls);

}  // namespace kvt
