#include "commands/file_save.h"

#include <string>
#include <variant>

#include "commands/command_texts.h"
#include "commands/file_chooser_setup.h"
#include "files/config_file_save.h"
#include "files/record_configuration.h"
#include "model/configuration.h"
#include "model/rule_texts.h"
#include "model/switch_rows.h"

namespace kvt {
namespace {

ConfigurationNames names_in(const Controls& controls) {
  ConfigurationNames names;
  names.panel = controls.text(kPanelNameBox);
  for (int k = 1; k <= kSwitchCount; ++k) {
    names.designations[k - 1] = controls.text(designation_box(k));
  }
  return names;
}

// The checks both ways of saving make first: the bytes the record will hold when they pass,
// otherwise why the save is refused.
std::variant<ConfigurationBytes, FileSaveEnd> ready_to_save(const PanelConfig& config,
                                                            Controls& controls, StatusBox& status) {
  const auto bytes = bytes_to_write(config, controls);
  if (std::holds_alternative<IncompleteSwitch>(bytes)) {
    show_status(status, StatusColour::Red, rule_texts::kIncompleteData);
    return FileSaveEnd::Incomplete;
  }
  if (controls.text(kPanelNameBox).empty()) {
    controls.dialogs().message(std::string(command_texts::kNoPanelName));
    return FileSaveEnd::NoPanelName;
  }
  return std::get<ConfigurationBytes>(bytes);
}

FileSaveEnd write_checked(const ConfigurationBytes& bytes, const Controls& controls,
                          StatusBox& status, const std::string& path) {
  if (const auto reason = write_config_record(path, record_from(bytes, names_in(controls)))) {
    show_status(status, StatusColour::Red, command_texts::not_saved(path, *reason));
    return FileSaveEnd::NotSaved;
  }
  return FileSaveEnd::Saved;
}

}  // namespace

FileSaveEnd save_config_file(PanelConfig& config, Controls& controls, StatusBox& status,
                             const std::string& path) {
  const auto ready = ready_to_save(config, controls, status);
  if (const auto* refusal = std::get_if<FileSaveEnd>(&ready)) return *refusal;
  const auto& bytes = std::get<ConfigurationBytes>(ready);
  return write_checked(bytes, controls, status, path);
}

FileSaveEnd save_file_with_dialog(PanelConfig& config, Controls& controls, StatusBox& status,
                                  FileChooser& chooser) {
  status.set_status_visible(false);
  const auto ready = ready_to_save(config, controls, status);
  if (const auto* refusal = std::get_if<FileSaveEnd>(&ready)) return *refusal;
  const auto& bytes = std::get<ConfigurationBytes>(ready);

  // The name offered is the panel's; the chooser keeps the name last chosen, which the next open
  // offers, so a cancel must leave it as it was.
  FileChooser asked = chooser;
  asked.file_name = offered_file_name(controls.text(kPanelNameBox), ".kvc");
  prepare_chooser(asked, command_texts::kSaveTitle);
  if (!controls.dialogs().show_save(asked)) return FileSaveEnd::Cancelled;
  chooser = asked;
  return write_checked(bytes, controls, status, chooser.file_name);
}

}  // namespace kvt
