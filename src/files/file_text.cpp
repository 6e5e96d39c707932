#include "files/file_text.h"

#include <QString>

namespace kvt {

std::string to_file_text(const std::string& utf8) {
  return QString::fromUtf8(utf8).toLatin1().toStdString();
}

std::string from_file_text(const std::string& latin1) {
  return QString::fromLatin1(latin1).toUtf8().toStdString();
}

}  // namespace kvt
