#pragma once

#include "model/controls.h"
#include "model/dialogs.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// The file save, run by a press of WRITE_FILE. Refuses an incomplete switch (red status text) and
// then an empty panel name (a message); otherwise asks for a file, offering the panel name with
// ".kvc", and writes the configuration record there. The old file is replaced only once the new
// one has been written completely; a save that cannot be written leaves any old file as it was
// and says so in red. A cancelled dialog ends the command silently.
void write_file(PanelConfig& config, Controls& controls, StatusBox& status, FileChooser& chooser);

}  // namespace kvt
