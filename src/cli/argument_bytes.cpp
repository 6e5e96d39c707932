#include "cli/argument_bytes.h"

#include <QByteArrayView>

namespace kvt::cli {
namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;

bool is_escaped_byte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

QString decoded(QByteArrayView bytes) {
  if (bytes.isValidUtf8()) return QString::fromUtf8(bytes);
  QString text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    text += QChar(value < 0x80 ? char16_t{value} : char16_t(kEscapedByteBase + value));
  }
  return text;
}

}  // namespace

QStringList arguments_of(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(decoded(QByteArrayView(argv[i])));
  return arguments;
}

std::string bytes_of(const QString& argument) {
  std::string bytes;
  for (qsizetype i = 0; i < argument.size(); ++i) {
    const QChar unit = argument.at(i);
    if (unit.isHighSurrogate() && i + 1 < argument.size() && argument.at(i + 1).isLowSurrogate()) {
      bytes += argument.mid(i, 2).toStdString();
      ++i;
    } else if (is_escaped_byte(unit.unicode())) {
      bytes += static_cast<char>(unit.unicode() - kEscapedByteBase);
    } else {
      bytes += QString(unit).toStdString();
    }
  }
  return bytes;
}

}  // namespace kvt::cli
