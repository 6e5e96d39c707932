#include "files/file_save.h"

#include <QSaveFile>
#include <QString>
#include <optional>
#include <string>

#include "files/config_record.h"
#include "files/file_chooser_setup.h"
#include "files/file_text.h"
#include "files/record_writer.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt {
namespace {

constexpr const char* kIncompleteDataText =
    "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA";
constexpr const char* kNoPanelNameText = "Name must be entered in PANEL NAME field";
constexpr const char* kNotSavedText = "CONFIGURATION FILE WAS NOT SAVED: ";

void show_red(StatusBox& status, const std::string& text) {
  status.set_status_visible(true);
  status.set_status_colour(StatusColour::Red);
  status.set_status_text(text);
}

// The record as the window shows it now: names and designations from the text boxes, codes from
// the values build_write_data has just computed.
ConfigRecord record_from_window(const PanelConfig& config, const Controls& controls) {
  ConfigRecord record;
  record.model = kModelIdentifier;
  record.panel = to_file_text(controls.text(kPanelNameBox));
  for (int k = 1; k <= kSwitchCount; ++k) {
    RecordSwitch& sw = record.switches[k - 1];
    sw.designation = to_file_text(controls.text(designation_box(k)));
    sw.code = config.sw[k - 1];
  }
  record.BL = config.BL;
  record.fdesig = kFeatureLabel;
  record.feature = config.feature;
  record.ind = kIndicatorLabel;
  record.indpercent = config.indpercent;
  record.blp = kBackLightLabel;
  record.blpercent = config.blpercent;
  return record;
}

// Writes beside the target and renames over it only once everything is on disk, so the target
// is either the old file or the complete new one. Returns the reason when it fails.
std::optional<QString> save_whole_file(const std::string& path, const std::string& bytes) {
  QSaveFile file(QString::fromStdString(path));
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  const auto size = static_cast<qint64>(bytes.size());
  // QSaveFile::commit() in Qt 6.4 overlooks a failure to flush its buffer (a full disk) and would
  // put the truncated file in place, so the flush is checked here first. A short write leaves no
  // system reason behind, hence a reason of our own.
  if (file.write(bytes.data(), size) != size || !file.flush()) {
    file.cancelWriting();
    return QStringLiteral("not all of it could be written, the disk may be full");
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

}  // namespace

void write_file(PanelConfig& config, Controls& controls, StatusBox& status, FileChooser& chooser) {
  status.set_status_visible(false);
  config.error_flag = 0;
  build_write_data(config, controls);
  config.BL = kBlMrCode;
  if (config.error_flag == 1) {
    show_red(status, kIncompleteDataText);
    return;
  }
  if (controls.text(kPanelNameBox).empty()) {
    controls.dialogs().message(kNoPanelNameText);
    return;
  }

  chooser.file_name = controls.text(kPanelNameBox) + ".kvc";
  prepare_chooser(chooser, "WRITE CONFIGURATION FILE");
  if (!controls.dialogs().show_save(chooser)) return;

  const std::string line = write_record(record_from_window(config, controls));
  if (const auto reason = save_whole_file(chooser.file_name, line)) {
    show_red(status,
             kNotSavedText + chooser.file_name + " (" + reason->toUpper().toStdString() + ")");
  }
}

}  // namespace kvt
