#include "cli/sheet_file.h"

#include <QString>

namespace kvt::cli {
namespace {

constexpr std::string_view kFileSuffix = ".kvc";
constexpr std::string_view kSheetSuffix = ".pdf";

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

}  // namespace kvt::cli
