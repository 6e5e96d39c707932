#include "window/window_icon.h"

#include <QPainter>
#include <QPixmap>

namespace kvt {

QIcon window_icon() {
  QPixmap picture(40, 40);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);

  painter.setPen(QPen(QColor(59, 55, 53), 1.5));
  painter.setBrush(QColor(96, 94, 93));
  painter.drawRoundedRect(QRectF(8.5, 1.5, 23, 37), 3, 3);

  // Two columns of five buttons, as the switches stand on the panel.
  painter.setPen(QPen(QColor(30, 30, 30), 1));
  painter.setBrush(QColor(230, 228, 220));
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 2; ++column) {
      painter.drawRoundedRect(QRectF(12.5 + column * 8.5, 5.5 + row * 6.5, 6, 4.5), 1, 1);
    }
  }
  return QIcon(picture);
}

}  // namespace kvt
