#include "cli/sheet_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPdfWriter>

#include "cli/cli_texts.h"
#include "files/config_file_save.h"
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
  return QString::fromStdString(end).compare(QString::fromUtf8(kFileSuffix), Qt::CaseInsensitive) ==
         0;
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

std::optional<std::string> write_pdf_file(const std::string& target, QPageSize::PageSizeId paper,
                                          const std::string& title,
                                          const std::function<bool(QPdfWriter&)>& draw) {
  // Drawn in memory, then written as a configuration file is: a name that is not UTF-8 keeps
  // its bytes, which a QFile name would not.
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setPageLayout(QPageLayout(
        QPageSize(paper), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    writer.setTitle(QString::fromUtf8(title));
    writer.setCreator(QCoreApplication::applicationName());
    if (!draw(writer)) return std::string(cli_texts::kSheetNotDrawn);
  }
  return write_whole_file(target, pdf.data().toStdString());
}

std::optional<std::string> write_sheet_file(const ConfigurationView& view,
                                            const std::string& source, const std::string& target,
                                            QPageSize::PageSizeId paper) {
  return write_pdf_file(target, paper, view.panel, [&](QPdfWriter& writer) {
    return draw_sheet(writer, view, printed_now(ConfigurationSource::file(source)));
  });
}

}  // namespace kvt::cli
