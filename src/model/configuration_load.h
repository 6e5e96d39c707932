#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/controls.h"
#include "model/panel_config.h"

namespace kvt {

// The one way a configuration enters the controls, as a user's choices would: every selection
// and tick runs its control's handler, so the editing rules apply during a load. The panel read
// takes the steps one at a time as the bytes arrive; a whole configuration (a file) takes them
// all through load_configuration.

// Decodes `code` and selects the switch's module list, then its channel list. With a
// designation (a file's) its box shows it; without one (a panel holds none) the box is emptied
// and hidden, even where the channel list's handler has just shown it.
void load_switch(PanelConfig& config, Controls& controls, int switch_number, std::int16_t code,
                 const std::optional<std::string>& designation);
// Ticks or clears Check1.
void load_feature(Controls& controls, bool ticked);
// Selects the intensity lists for the stored codes.
void load_indicator(PanelConfig& config, Controls& controls, std::int16_t code);
void load_backlight(PanelConfig& config, Controls& controls, std::int16_t code);

// All of it: the panel name and designations (when known), the ten switches in order, the
// independent-lighting flag (ticked only for 1) and the two intensities.
void load_configuration(PanelConfig& config, Controls& controls,
                        const Configuration& configuration);

}  // namespace kvt
