#pragma once

#include "link/panel_link.h"
#include "model/controls.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// The read command (READ_CONFIG): reads the panel's configuration bytes and shows them in the
// window through the lists and the tick box, running their handlers as a user's choices would.
// The panel name and the designations, which the panel does not hold, are emptied.
void read_config(PanelConfig& config, Controls& controls, StatusBox& status, PanelLink& link);

// The write command (WRITE_CONFIG): computes the configuration bytes from the window and writes
// them into the panel, every byte read back and verified. Nothing is sent while a switch is
// incomplete or when the panel is of another model.
void write_config(PanelConfig& config, Controls& controls, StatusBox& status, PanelLink& link);

}  // namespace kvt
