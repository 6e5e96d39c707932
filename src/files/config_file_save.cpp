#include "files/config_file_save.h"

#include <QSaveFile>
#include <QString>

#include "files/file_texts.h"
#include "files/record_writer.h"

namespace kvt {

std::optional<std::string> write_config_record(const std::string& path,
                                               const ConfigRecord& record) {
  const std::string bytes = write_record(record);
  QSaveFile file(QString::fromStdString(path));
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
  const auto size = static_cast<qint64>(bytes.size());
  // QSaveFile::commit() in Qt 6.4 overlooks a failure to flush its buffer (a full disk) and would
  // put the truncated file in place, so the flush is checked here first. A short write leaves no
  // system reason behind, hence a reason of our own.
  if (file.write(bytes.data(), size) != size || !file.flush()) {
    file.cancelWriting();
    return std::string(file_texts::kDiskFull);
  }
  if (!file.commit()) return file.errorString().toStdString();
  return std::nullopt;
}

}  // namespace kvt
