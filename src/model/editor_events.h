#pragma once

#include "model/controls.h"
#include "model/panel_config.h"

namespace kvt {

// The window's load handling: independent lighting off, both intensities "100".
void load_handling(PanelConfig& config, Controls& controls);

// Runs the selection handler of list n (1..22): the module-list, channel-list or intensity rule.
void on_list_selected(PanelConfig& config, Controls& controls, int list);

}  // namespace kvt
