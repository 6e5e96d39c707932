#include "window/chooser_folder.h"

#include <QFileInfo>
#include <QSettings>

namespace kvt {
namespace {
const QString kFolderKey = QStringLiteral("files/folder");
}

QString remembered_folder() { return QSettings().value(kFolderKey).toString(); }

void remember_folder_of(const QString& chosen_file) {
  QSettings().setValue(kFolderKey, QFileInfo(chosen_file).absolutePath());
}

}  // namespace kvt
