#pragma once

#include "link/panel_link.h"
#include "model/status_box.h"

namespace kvt {

class PortSelector;

// FIND THE SWITCH PANEL: probes the ports `selector` offers one after another on `link`, the
// status box yellow naming the port being probed. The first port where a panel of this model
// answers becomes the chosen port, remembered as a menu choice is, and the status box turns
// green; when none answers it turns red and says what each port said. A search stopped by the
// window closing says nothing more.
void find_switch_panel(StatusBox& status, PortSelector& selector, PanelLink& link);

}  // namespace kvt
