#include "window/panel_picture.h"

#include <QPainter>

namespace kvt {

namespace {
constexpr int kPictureWidth = 575;
constexpr int kPictureHeight = 1061;
constexpr int kMargin = 4;  // white
constexpr int kBevel = 19;  // darkens towards the outside
const QColor kPlate(96, 94, 93);
const QColor kBevelOuterLine(59, 55, 53);

QColor bevel_colour(int step) {
  const double t = static_cast<double>(step) / kBevel;
  auto blend = [t](int outer, int inner) {
    return static_cast<int>(outer + (inner - outer) * t + 0.5);
  };
  return QColor(blend(kBevelOuterLine.red(), kPlate.red()),
                blend(kBevelOuterLine.green(), kPlate.green()),
                blend(kBevelOuterLine.blue(), kPlate.blue()));
}
}  // namespace

PanelPicture::PanelPicture(QWidget* parent) : QWidget(parent) {}

void PanelPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.scale(static_cast<double>(width()) / kPictureWidth,
                static_cast<double>(height()) / kPictureHeight);
  const QRect picture(0, 0, kPictureWidth, kPictureHeight);
  painter.fillRect(picture, Qt::white);
  // Each step of the bevel is a filled rectangle one pixel inside the one before, so the
  // steps leave no gaps however the picture is stretched.
  for (int step = 0; step < kBevel; ++step) {
    const int inset = kMargin + step;
    painter.fillRect(picture.adjusted(inset, inset, -inset, -inset), bevel_colour(step));
  }
  const int plate_inset = kMargin + kBevel;
  painter.fillRect(picture.adjusted(plate_inset, plate_inset, -plate_inset, -plate_inset), kPlate);
}

}  // namespace kvt
