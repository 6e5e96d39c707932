#include "files/file_save.h"

#include <algorithm>
#include <string>

#include "files/config_file_save.h"
#include "files/file_chooser_setup.h"
#include "files/file_texts.h"
#include "files/record_configuration.h"
#include "model/rule_texts.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"

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

// The checks both ways of saving make first. build_write_data computes the codes the record
// will hold.
bool ready_to_save(PanelConfig& config, Controls& controls, StatusBox& status,
                   FileSaveEnd& refusal) {
  config.error_flag = 0;
  build_write_data(config, controls);
  config.BL = kBlMrCode;
  if (config.error_flag == 1) {
    show_status(status, StatusColour::Red, rule_texts::kIncompleteData);
    refusal = FileSaveEnd::Incomplete;
    return false;
  }
  if (controls.text(kPanelNameBox).empty()) {
    controls.dialogs().message(std::string(file_texts::kNoPanelName));
    refusal = FileSaveEnd::NoPanelName;
    return false;
  }
  return true;
}

// The panel name with ".kvc". A "/" in the name would point into a subfolder, so it becomes "-".
std::string offered_file_name(std::string panel_name) {
  std::replace(panel_name.begin(), panel_name.end(), '/', '-');
  return panel_name + ".kvc";
}

FileSaveEnd write_checked(const PanelConfig& config, const Controls& controls, StatusBox& status,
                          const std::string& path) {
  if (const auto reason = write_config_record(path, record_from(config, names_in(controls)))) {
    show_status(status, StatusColour::Red, file_texts::not_saved(path, *reason));
    return FileSaveEnd::NotSaved;
  }
  return FileSaveEnd::Saved;
}

}  // namespace

FileSaveEnd save_config_file(PanelConfig& config, Controls& controls, StatusBox& status,
                             const std::string& path) {
  FileSaveEnd refusal{};
  if (!ready_to_save(config, controls, status, refusal)) return refusal;
  return write_checked(config, controls, status, path);
}

FileSaveEnd write_file(PanelConfig& config, Controls& controls, StatusBox& status,
                       FileChooser& chooser) {
  status.set_status_visible(false);
  FileSaveEnd refusal{};
  if (!ready_to_save(config, controls, status, refusal)) return refusal;

  chooser.file_name = offered_file_name(controls.text(kPanelNameBox));
  prepare_chooser(chooser, file_texts::kSaveTitle);
  if (!controls.dialogs().show_save(chooser)) return FileSaveEnd::Cancelled;
  return write_checked(config, controls, status, chooser.file_name);
}

}  // namespace kvt
