#pragma once

#include <string>

#include "model/controls.h"
#include "model/dialogs.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// How opening a configuration file ended.
enum class FileOpenEnd {
  Opened,      // the whole record is in the controls
  Refused,     // malformed or made for another panel: the mismatch message was shown
  Unreadable,  // missing, unreadable, no regular file, too large or cut short: named in red
  Cancelled,   // the user closed the chooser
};

// Reads and checks the whole record at `path` and only then loads it into the controls, running
// the list and tick-box handlers as a user's choices would. A file that is malformed, made for
// another panel or holding a negative switch code gets the file/model mismatch message and
// changes nothing; a file that cannot be read (missing, no regular file, too large, cut short) is
// named in red in the status box with the reason and changes nothing. The values of an opened
// file that are not settings are named after the load. The window's file open, a file named when
// starting the window and the command line all come through here.
FileOpenEnd open_config_file(PanelConfig& config, Controls& controls, StatusBox& status,
                             const std::string& path);

// The file open, run by a press of READ_FILE: asks for a file (the chooser offers the name last
// used), then opens it as above. A cancelled dialog ends the command silently.
FileOpenEnd open_file_with_dialog(PanelConfig& config, Controls& controls, StatusBox& status,
                                  FileChooser& chooser);

}  // namespace kvt
