#pragma once

#include <QFont>
#include <QString>

namespace kvt {

// The one typeface of the printed pages, in a pixel size in points, so that it scales with the
// page as the boxes do.
inline QFont sheet_font(int size, bool bold = false) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(size);
  font.setBold(bold);
  return font;
}

}  // namespace kvt
