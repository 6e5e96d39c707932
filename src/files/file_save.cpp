#include "files/file_save.h"

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

}  // namespace

void write_file(PanelConfig& config, Controls& controls, StatusBox& status, FileChooser& chooser) {
  status.set_status_visible(false);
  config.error_flag = 0;
  build_write_data(config, controls);
  config.BL = kBlMrCode;
  if (config.error_flag == 1) {
    show_status(status, StatusColour::Red, rule_texts::kIncompleteData);
    return;
  }
  if (controls.text(kPanelNameBox).empty()) {
    controls.dialogs().message(std::string(file_texts::kNoPanelName));
    return;
  }

  chooser.file_name = controls.text(kPanelNameBox) + ".kvc";
  prepare_chooser(chooser, file_texts::kSaveTitle);
  if (!controls.dialogs().show_save(chooser)) return;

  if (const auto reason =
          save_config_file(chooser.file_name, record_from(config, names_in(controls)))) {
    show_status(status, StatusColour::Red, file_texts::not_saved(chooser.file_name, *reason));
  }
}

}  // namespace kvt
