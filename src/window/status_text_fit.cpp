#include "window/status_text_fit.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

namespace kvt {
namespace {

struct WrappedLine {
  QString text;
  double ascent;  // the letters above the baseline
  double height;
};

QList<WrappedLine> wrapped_lines(const QString& text, const QFont& font, int width) {
  QList<WrappedLine> lines;
  QTextOption wrapping;
  wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
    QTextLayout layout(paragraph, font);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines.append(
          {paragraph.mid(line.textStart(), line.textLength()), line.ascent(), line.height()});
    }
    layout.endLayout();
  }
  return lines;
}

}  // namespace

QString shown_part(const QString& text, const QFont& font, QSize area, const QString& cut_mark) {
  const QList<WrappedLine> lines = wrapped_lines(text, font, area.width());
  // A line is shown once its letters are: what hangs below the baseline of the last line may be
  // cut, as in the box's three lines of the usual texts.
  QStringList shown;
  double top = 0;
  for (const WrappedLine& line : lines) {
    if (top + line.ascent > area.height()) break;
    shown.append(line.text);
    top += line.height;
  }
  if (shown.size() == lines.size()) return text;
  if (shown.isEmpty()) return QString();

  // The last line shown makes room for the mark, a word at a time where it can.
  const QFontMetricsF metrics(font);
  QString last = shown.takeLast().trimmed();
  while (!last.isEmpty() && metrics.horizontalAdvance(last + cut_mark) > area.width()) {
    const qsizetype space = last.lastIndexOf(QLatin1Char(' '));
    last = space > 0 ? last.left(space).trimmed() : last.chopped(1);
  }
  for (QString& line : shown) line = line.trimmed();
  shown.append(last + cut_mark);
  return shown.join(QLatin1Char('\n'));
}

}  // namespace kvt
