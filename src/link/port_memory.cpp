#include "link/port_memory.h"

#include <QSettings>
#include <QString>

namespace kvt {
namespace {
const QString kPortKey = QStringLiteral("link/port");
}

std::string remembered_port() { return QSettings().value(kPortKey).toString().toStdString(); }

void remember_port(const std::string& device) {
  QSettings().setValue(kPortKey, QString::fromStdString(device));
}

}  // namespace kvt
