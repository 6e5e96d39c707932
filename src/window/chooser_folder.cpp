#include "window/chooser_folder.h"

#include <QFileInfo>

#include "link/settings_file.h"

namespace kvt {
namespace {
const QString kFolderKey = QStringLiteral("files/folder");
}

QString remembered_folder() { return stored_setting(kFolderKey).toString(); }

void remember_folder_of(const QString& chosen_file) {
  store_setting(kFolderKey, QFileInfo(chosen_file).absolutePath());
}

}  // namespace kvt
