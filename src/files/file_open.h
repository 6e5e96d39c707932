#pragma once

#include "model/controls.h"
#include "model/dialogs.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// The file open, run by a press of READ_FILE. Asks for a file (the chooser offers the name last
// used), reads and checks the whole record and only then loads it into the window, running the
// list and tick-box handlers as a user's choices would. A file that is missing, malformed, made
// for another panel or holding a negative switch code gets the file/model mismatch message and
// changes nothing; a file that exists but cannot be read is named in red in the status box and
// changes nothing; a cancelled dialog ends the command silently.
void read_file(PanelConfig& config, Controls& controls, StatusBox& status, FileChooser& chooser);

}  // namespace kvt
