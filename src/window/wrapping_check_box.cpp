#include "window/wrapping_check_box.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kvt {

WrappingCheckBox::WrappingCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  const int indicator_width = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
  const int indicator_height = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
  const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);

  QStyleOptionButton indicator = option;
  indicator.rect = QRect(0, (height() - indicator_height) / 2, indicator_width, indicator_height);
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

  const QRect caption_area = rect().adjusted(indicator_width + spacing, 0, 0, 0);
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
  painter.drawItemText(caption_area, flags, palette(), isEnabled(), text(), QPalette::WindowText);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = fontMetrics().boundingRect(caption_area, flags, text()).adjusted(-1, -1, 1, 1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace kvt
