#include "sheet/site_report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <algorithm>
#include <array>
#include <optional>

#include "sheet/sheet_font.h"
#include "sheet/sheet_texts.h"

namespace kvt {
namespace {

// In points, as the sheet is laid out.
constexpr int kReportTitleSize = 18;
constexpr int kTableTextSize = 9;
constexpr double kReportTitleHeight = 40;
constexpr double kTableHeadingHeight = 20;
constexpr double kTableRowHeight = 30;
constexpr double kTableFooterSpace = 36;
constexpr double kCellPadding = 4;

struct TableColumn {
  std::string_view heading;
  double share;  // of the page's width
};

constexpr std::array<TableColumn, 5> kTableColumns{{
    {sheet_texts::kPanelColumn, 0.18},
    {sheet_texts::kFileColumn, 0.20},
    {sheet_texts::kSwitchesColumn, 0.19},
    {sheet_texts::kLastWriteColumn, 0.22},
    {sheet_texts::kLastComparisonColumn, 0.21},
}};

int rows_per_page(const QRectF& page) {
  const double room = page.height() - kReportTitleHeight - kTableHeadingHeight - kTableFooterSpace;
  return std::max(1, static_cast<int>(room / kTableRowHeight));
}

// A cell's text on at most two lines, wrapped between words (inside a word only where one is
// longer than the cell), shortened with "…" where it would run over.
void draw_cell(QPainter& painter, const QRectF& cell, const std::string& text) {
  const QRectF inside = cell.adjusted(kCellPadding, kCellPadding, -kCellPadding, -kCellPadding);
  const QFontMetricsF metrics(painter.font());
  QString shown = QString::fromUtf8(text);
  if (metrics.horizontalAdvance(shown) > 2 * inside.width()) {
    shown = metrics.elidedText(shown, Qt::ElideMiddle, 2 * inside.width() - metrics.height());
  }
  painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown);
}

// A row of cells; a cell followed by empty ones runs on over them.
void draw_row(QPainter& painter, double top, const QRectF& page,
              const std::array<std::string, kTableColumns.size()>& cells) {
  double left = page.left();
  for (std::size_t i = 0; i < kTableColumns.size();) {
    double width = page.width() * kTableColumns[i].share;
    std::size_t next = i + 1;
    for (; next < kTableColumns.size() && cells[next].empty(); ++next) {
      width += page.width() * kTableColumns[next].share;
    }
    draw_cell(painter, QRectF(left, top, width, kTableRowHeight), cells[i]);
    left += width;
    i = next;
  }
  painter.drawLine(QPointF(page.left(), top + kTableRowHeight),
                   QPointF(page.right(), top + kTableRowHeight));
}

std::array<std::string, kTableColumns.size()> cells_of(const SiteRow& row) {
  if (!row.refused.empty()) {
    return {std::string(sheet_texts::kNotOpened), row.file, row.refused, {}, {}};
  }
  return {row.panel, row.file, row.switches_in_use, row.last_write, row.last_comparison};
}

void draw_table_page(QPainter& painter, const QRectF& page, const std::string& title,
                     const std::vector<SiteRow>& rows) {
  painter.setFont(sheet_font(kReportTitleSize, true));
  painter.drawText(QRectF(page.left(), page.top(), page.width(), kReportTitleHeight),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromUtf8(title));
  double top = page.top() + kReportTitleHeight;
  painter.setFont(sheet_font(kTableTextSize, true));
  std::array<std::string, kTableColumns.size()> headings;
  for (std::size_t i = 0; i < kTableColumns.size(); ++i) headings[i] = kTableColumns[i].heading;
  draw_row(painter, top - kTableRowHeight + kTableHeadingHeight, page, headings);
  top += kTableHeadingHeight;
  painter.setFont(sheet_font(kTableTextSize));
  for (const SiteRow& row : rows) {
    draw_row(painter, top, page, cells_of(row));
    top += kTableRowHeight;
  }
}

}  // namespace

bool draw_site_report(QPagedPaintDevice& device, const std::string& title,
                      const std::vector<SiteRow>& rows, const std::vector<SiteSheet>& sheets,
                      const SheetOrigin& origin) {
  QPainter painter;
  const std::optional<QRectF> page = begin_page_in_points(painter, device);
  if (!page) return false;
  const int per_page = rows_per_page(*page);
  const int table_pages = std::max(
      1, static_cast<int>((rows.size() + per_page - 1) / static_cast<std::size_t>(per_page)));
  const int pages = table_pages + static_cast<int>(sheets.size());
  const std::string footer = sheet_texts::footer(origin.source, origin.date, origin.version);
  int number = 0;
  auto next_page = [&] {
    if (number > 0) device.newPage();
    ++number;
  };
  for (int t = 0; t < table_pages; ++t) {
    next_page();
    const auto first = rows.begin() + std::min<std::ptrdiff_t>(t * per_page, rows.size());
    const auto last = rows.begin() + std::min<std::ptrdiff_t>((t + 1) * per_page, rows.size());
    draw_table_page(painter, *page, title, {first, last});
    draw_footer(painter, *page, footer, PageNumber{number, pages});
  }
  for (const SiteSheet& sheet : sheets) {
    next_page();
    draw_sheet_page(painter, *page, sheet.view, sheet.origin, PageNumber{number, pages});
  }
  return painter.end();
}

}  // namespace kvt
