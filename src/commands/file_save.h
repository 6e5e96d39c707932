#pragma once

#include <string>

#include "model/controls.h"
#include "model/dialogs.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// How saving a configuration file ended.
enum class FileSaveEnd {
  Saved,
  Incomplete,   // a switch on a module has no channel: said in red, nothing asked or written
  NoPanelName,  // said in a message, nothing asked or written
  NotSaved,     // could not be written: said in red, any old file left as it was
  Cancelled,    // the user closed the chooser
};

// Writes the configuration in the controls to `path` as a configuration record, after the same
// checks as the window's save: an incomplete switch (red status text), then an empty panel name
// (a message). The old file is replaced only once the new one has been written completely.
FileSaveEnd save_config_file(PanelConfig& config, Controls& controls, StatusBox& status,
                             const std::string& path);

// The file save, run by a press of WRITE_FILE: the checks, then a chooser offering the panel
// name with ".kvc", then the save as above. The chooser then remembers the name chosen, which the
// next open offers. A cancelled dialog ends the command silently and changes nothing, the
// chooser included.
FileSaveEnd save_file_with_dialog(PanelConfig& config, Controls& controls, StatusBox& status,
                                  FileChooser& chooser);

}  // namespace kvt
