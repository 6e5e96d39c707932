#include "cli/sheet_file.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "files/file_texts.h"
#include "sheet/configuration_sheet.h"

namespace kvt::cli {
namespace {

constexpr std::string_view kFileSuffix = ".kvc";
constexpr std::string_view kSheetSuffix = ".pdf";
// The white border round the sheet, inside what any printer can print.
constexpr double kMarginMillimetres = 15;

bool ends_in_file_suffix(const std::string& path) {
  if (path.size() < kFileSuffix.size()) return false;
  const std::string end = path.substr(path.size() - kFileSuffix.size());
  return QString::fromStdString(end).compare(QString::fromUtf8(kFileSuffix.data()),
                                             Qt::CaseInsensitive) == 0;
}

// Writing over a device node or a FIFO would send the PDF there (run as root, "/dev/sda"
// would be overwritten); the link to a regular file is followed, as the save follows it.
std::optional<std::string> refusal_of(const std::string& target) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    if (errno == ENOENT) return std::nullopt;
    return std::string(std::strerror(errno));
  }
  if (S_ISDIR(status.st_mode)) return std::string(file_texts::kIsAFolder);
  if (!S_ISREG(status.st_mode)) return std::string(file_texts::kNotARegularFile);
  return std::nullopt;
}

}  // namespace

std::optional<QPageSize::PageSizeId> paper_named(const std::string& name) {
  if (name.empty() || name == "a4") return QPageSize::A4;
  if (name == "letter") return QPageSize::Letter;
  return std::nullopt;
}

std::string sheet_name_for(const std::string& path) {
  const std::string stem =
      ends_in_file_suffix(path) ? path.substr(0, path.size() - kFileSuffix.size()) : path;
  return stem + std::string(kSheetSuffix);
}

std::optional<std::string> write_sheet_file(const ConfigurationView& view,
                                            const std::string& source, const std::string& target,
                                            QPageSize::PageSizeId paper) {
  if (auto refusal = refusal_of(target)) return refusal;
  QSaveFile file(QFile::decodeName(target.c_str()));
  if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();

  QPdfWriter writer(&file);
  writer.setPageLayout(QPageLayout(
      QPageSize(paper), QPageLayout::Portrait,
      QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
      QPageLayout::Millimeter));
  writer.setTitle(QString::fromStdString(view.panel));
  writer.setCreator(QCoreApplication::applicationName());
  if (!draw_sheet(writer, view, printed_now(source))) {
    file.cancelWriting();
    return file.errorString().toStdString();
  }
  if (!file.commit()) return file.errorString().toStdString();
  return std::nullopt;
}

}  // namespace kvt::cli
