#pragma once

#include <optional>
#include <string>

#include "commands/panel_commands.h"
#include "link/panel_link.h"
#include "link/serial_link.h"
#include "model/headless_controls.h"
#include "model/panel_config.h"

namespace kvt::cli {

class Console;

// The window's configuration and controls without a window: built as the window is, then
// loaded and edited by the very same file and panel commands.
class HeadlessEditor {
 public:
  explicit HeadlessEditor(Console& console);

  PanelConfig& config() { return config_; }
  HeadlessControls& controls() { return controls_; }

  // Opens the configuration file at `path` as the window opens one. When it is refused or cannot
  // be read, the file is named on standard error and the words said are returned.
  std::optional<std::string> open_file(const std::string& path);

  // The panel commands on the panel at `device`.
  PanelRead read_panel(const std::string& device);
  PanelWrite write_panel(const std::string& device);

  // The link the panel commands use, for whoever must stop them.
  PanelLink& link() { return serial_link_.link(); }

 private:
  Console& console_;
  PanelConfig config_;
  HeadlessControls controls_;
  SerialLink serial_link_;
};

}  // namespace kvt::cli
