#include "sheet/sheet_pdf_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QMarginsF>
#include <QPdfWriter>
#include <filesystem>
#include <system_error>

#include "files/config_file_save.h"
#include "sheet/sheet_texts.h"

namespace kvt {
namespace {

constexpr double kBorderMillimetres = 15;

}  // namespace

QPageLayout bordered_page(QPageSize::PageSizeId paper) {
  return QPageLayout(
      QPageSize(paper), QPageLayout::Portrait,
      QMarginsF(kBorderMillimetres, kBorderMillimetres, kBorderMillimetres, kBorderMillimetres),
      QPageLayout::Millimeter);
}

std::optional<std::string> write_pdf_file(const std::string& target, const QPageLayout& layout,
                                          const std::string& title,
                                          const std::function<bool(QPdfWriter&)>& draw) {
  // Drawn in memory, then written as a configuration file is: a name that is not UTF-8 keeps
  // its bytes, which a QFile name would not.
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setPageLayout(layout);
    writer.setTitle(QString::fromUtf8(title));
    writer.setCreator(QCoreApplication::applicationName());
    if (!draw(writer)) return std::string(sheet_texts::kSheetNotDrawn);
  }
  return write_whole_file(target, pdf.data().toStdString());
}

std::optional<std::string> write_sheet_file(const ConfigurationView& view,
                                            const ConfigurationSource& source,
                                            const std::string& target, const QPageLayout& layout) {
  std::error_code unknown;
  if (source.kind == ConfigurationSource::Kind::File &&
      std::filesystem::equivalent(source.path, target, unknown)) {
    return std::string(sheet_texts::kSheetOverConfiguration);
  }
  const SheetOrigin origin = printed_now(source);
  return write_pdf_file(target, layout, view.panel,
                        [&](QPdfWriter& writer) { return draw_sheet(writer, view, origin); });
}

}  // namespace kvt
