#include "commands/file_open.h"

#include <string>
#include <variant>

#include "commands/command_texts.h"
#include "commands/file_chooser_setup.h"
#include "files/config_file.h"
#include "files/record_configuration.h"
#include "files/visible_text.h"
#include "model/configuration_load.h"
#include "model/not_settings.h"

namespace kvt {

FileOpenEnd open_config_file(PanelConfig& config, Controls& controls, StatusBox& status,
                             const std::string& path) {
  const ConfigFileReading reading = read_config_file(path);
  if (const auto* unreadable = std::get_if<FileUnreadable>(&reading)) {
    show_status(status, StatusColour::Red, command_texts::not_read(path, unreadable->reason));
    return FileOpenEnd::Unreadable;
  }
  const auto* record = std::get_if<ConfigRecord>(&reading);
  if (!record) {
    controls.dialogs().message(std::string(command_texts::kFileMismatch),
                               std::string(command_texts::kFileMismatchTitle));
    return FileOpenEnd::Refused;
  }
  const Configuration configuration = configuration_from(*record);
  load_configuration(config, controls, configuration);
  controls.dialogs().name_not_settings(visible_text(path),
                                       not_settings(configuration.bytes, ByteSource::File));
  return FileOpenEnd::Opened;
}

FileOpenEnd open_file_with_dialog(PanelConfig& config, Controls& controls, StatusBox& status,
                                  FileChooser& chooser) {
  status.set_status_visible(false);
  prepare_chooser(chooser, command_texts::kOpenTitle);
  if (!controls.dialogs().show_open(chooser)) return FileOpenEnd::Cancelled;
  return open_config_file(config, controls, status, chooser.file_name);
}

}  // namespace kvt
