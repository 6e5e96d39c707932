#include "window/command_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace kvt {

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void CommandButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);

  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  area.adjust(2, 0, -2, 0);
  if (isDown()) {
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), caption,
                       QPalette::ButtonText);
}

}  // namespace kvt
