#include "link/system_ports.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>

namespace kvt {
namespace {

// The /dev/serial/by-id link that leads to `device`, if any.
std::string stable_name_of(const QString& device) {
  const QDir by_id(QStringLiteral("/dev/serial/by-id"));
  for (const QFileInfo& link : by_id.entryInfoList(QDir::System | QDir::Files)) {
    if (link.canonicalFilePath() == device) return link.absoluteFilePath().toStdString();
  }
  return {};
}

std::string description_of(const QSerialPortInfo& info) {
  QStringList parts;
  for (const QString& part : {info.description(), info.manufacturer()}) {
    if (!part.isEmpty() && !parts.contains(part)) parts << part;
  }
  if (!info.serialNumber().isEmpty()) parts << QStringLiteral("S/N ") + info.serialNumber();
  return parts.join(QStringLiteral(", ")).toStdString();
}

}  // namespace

std::vector<SystemPort> system_ports() {
  std::vector<SystemPort> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    ports.push_back({info.systemLocation().toStdString(), stable_name_of(info.systemLocation()),
                     description_of(info)});
  }
  return ports;
}

}  // namespace kvt
