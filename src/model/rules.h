#pragma once

#include "model/controls.h"
#include "model/panel_config.h"

namespace kvt {

// Independent lighting needs a switch on "BL/MR": untick Check1 with a message otherwise, and
// keep `feature` in step with the box.
void check_feature(PanelConfig& config, Controls& controls);

// Selection handlers of the intensity lists: the indicator may not be below the back-light.
// Any correction moves the back-light list.
void on_indicator_selected(PanelConfig& config, Controls& controls);  // List21
void on_backlight_selected(PanelConfig& config, Controls& controls);  // List22

// Change handler of Check1.
void on_check1_changed(PanelConfig& config, Controls& controls);

// Put the stored intensity codes back into the intensity lists (codes without an item as "100").
void show_ind_percent(PanelConfig& config, Controls& controls);
void show_bl_percent(PanelConfig& config, Controls& controls);

}  // namespace kvt
