#include "sheet/fitted_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <vector>

#include "sheet/sheet_font.h"

namespace kvt {
namespace {

// Where each line of `text` starts when it is wrapped to `width` in `font`.
std::vector<int> line_starts(const QString& text, const QFont& font, double width,
                             const QPaintDevice* device) {
  QTextLayout layout(text, font, device);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  std::vector<int> starts;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    starts.push_back(line.textStart());
  }
  layout.endLayout();
  return starts;
}

QStringList lines_of(const QString& text, const std::vector<int>& starts, std::size_t count) {
  QStringList lines;
  for (std::size_t i = 0; i < count; ++i) {
    const int end = i + 1 < starts.size() ? starts[i + 1] : static_cast<int>(text.size());
    lines << text.mid(starts[i], end - starts[i]).trimmed();
  }
  return lines;
}

}  // namespace

FittedText fit_text(const QPainter& painter, const QString& text, const QSizeF& box,
                    const TextFit& fit) {
  const QString words = text.simplified();
  const QPaintDevice* device = painter.device();
  for (int size = fit.largest;; --size) {
    FittedText fitted{sheet_font(size, fit.bold), {}, 0};
    const QFontMetricsF metrics(fitted.font, device);
    fitted.line_height = metrics.height();
    const auto room = static_cast<std::size_t>(std::clamp(
        static_cast<int>(std::floor(box.height() / fitted.line_height)), 1, fit.most_lines));
    const std::vector<int> starts = line_starts(words, fitted.font, box.width(), device);
    if (starts.size() <= room) {
      fitted.lines = lines_of(words, starts, starts.size());
      return fitted;
    }
    if (size > fit.smallest) continue;
    fitted.lines = lines_of(words, starts, room - 1);
    fitted.lines << metrics.elidedText(words.mid(starts[room - 1]), Qt::ElideRight, box.width());
    return fitted;
  }
}

void draw_fitted(QPainter& painter, const QRectF& box, const FittedText& text) {
  const double height = text.line_height * static_cast<double>(text.lines.size());
  double top = box.center().y() - height / 2;
  painter.setFont(text.font);
  for (const QString& line : text.lines) {
    painter.drawText(QRectF(box.left(), top, box.width(), text.line_height),
                     Qt::AlignHCenter | Qt::AlignTop, line);
    top += text.line_height;
  }
}

}  // namespace kvt
