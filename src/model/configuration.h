#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

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

// The bytes a write to the panel or a save sends, as the controls set them: build_write_data
// computes the switch codes (error_flag says whether a switch is incomplete), BL/MR is 159, and
// independent lighting and the intensities are the stored values. None while a switch on a
// module has no channel.
std::optional<ConfigurationBytes> bytes_to_write(PanelConfig& config, const Controls& controls);

}  // namespace kvt
