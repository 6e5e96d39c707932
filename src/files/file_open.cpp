#include "files/file_open.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <string>
#include <variant>

#include "files/config_record.h"
#include "files/file_chooser_setup.h"
#include "files/file_text.h"
#include "files/record_reader.h"
#include "model/decode_switch.h"
#include "model/rules.h"
#include "model/switch_rows.h"

namespace kvt {
namespace {

constexpr const char* kMismatchTitle = "FILE/MODEL MIS-MATCH";
constexpr const char* kMismatchText =
    "AN ERROR HAS OCCURRED READING THE FILE BECAUSE THE FILE\n"
    "WAS NOT CREATED FOR THE 00-00417-(MDL) SWITCH PANEL\n"
    "----------THE FILE READ OPERATION IS BEING ABANDONED!-----------";
constexpr const char* kNotReadText = "CONFIGURATION FILE COULD NOT BE READ: ";

void show_mismatch(Controls& controls) {
  controls.dialogs().message(kMismatchText, kMismatchTitle);
}

// A record is a few hundred bytes; reading stops here so that choosing a huge file by mistake
// cannot exhaust memory. Such a file holds no record in its first megabyte and is refused.
constexpr qint64 kMostBytesRead = 1 << 20;

struct FileMissing {};
struct FileUnreadable {
  QString reason;
};
using FileContents = std::variant<std::string, FileMissing, FileUnreadable>;

FileContents read_file_bytes(const std::string& path) {
  const QString name = QString::fromStdString(path);
  if (!QFileInfo::exists(name)) return FileMissing{};
  if (QFileInfo(name).isDir()) return FileUnreadable{QStringLiteral("it is a folder")};
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return FileUnreadable{file.errorString()};
  const QByteArray bytes = file.read(kMostBytesRead);
  if (file.error() != QFileDevice::NoError) return FileUnreadable{file.errorString()};
  return bytes.toStdString();
}

// The window can show only records made for this panel, and a negative switch code selects no
// channel the list has.
bool fits_the_window(const ConfigRecord& record) {
  return record.model == kModelIdentifier &&
         std::none_of(record.switches.begin(), record.switches.end(),
                      [](const RecordSwitch& sw) { return sw.code < 0; });
}

// Puts an accepted record into the window the way a user would: one switch at a time, then the
// tick box, then the two intensities, each setting running its control's handler.
void load_record(const ConfigRecord& record, PanelConfig& config, Controls& controls) {
  config.panel = from_file_text(record.panel);
  for (int i = 0; i < kSwitchCount; ++i) {
    config.sdesig[i] = from_file_text(record.switches[i].designation);
    config.s[i] = record.switches[i].code;
  }
  config.BL = record.BL;

  controls.set_text(kPanelNameBox, config.panel);
  for (int k = 1; k <= kSwitchCount; ++k) {
    controls.set_text(designation_box(k), config.sdesig[k - 1]);
    controls.set_box_visible(designation_box(k), true);
    config.A = config.s[k - 1];
    decode_switch(config);
    controls.select(module_list(k), config.h_index);
    controls.select(channel_list(k), config.l_index);
  }
  controls.set_ticked(record.feature == 1);
  config.indpercent = record.indpercent;
  show_ind_percent(config, controls);
  config.blpercent = record.blpercent;
  show_bl_percent(config, controls);
}

}  // namespace

void read_file(PanelConfig& config, Controls& controls, StatusBox& status, FileChooser& chooser) {
  status.set_status_visible(false);
  prepare_chooser(chooser, "READ CONFIGURATION FILE");
  if (!controls.dialogs().show_open(chooser)) return;

  const FileContents contents = read_file_bytes(chooser.file_name);
  if (const auto* unreadable = std::get_if<FileUnreadable>(&contents)) {
    status.set_status_visible(true);
    status.set_status_colour(StatusColour::Red);
    status.set_status_text(kNotReadText + chooser.file_name + " (" +
                           unreadable->reason.toUpper().toStdString() + ")");
    return;
  }
  const auto* bytes = std::get_if<std::string>(&contents);
  if (!bytes) {
    show_mismatch(controls);
    return;
  }
  const RecordReading reading = read_record(*bytes);
  const auto* record = std::get_if<ConfigRecord>(&reading);
  if (!record || !fits_the_window(*record)) {
    show_mismatch(controls);
    return;
  }
  load_record(*record, config, controls);
}

}  // namespace kvt
