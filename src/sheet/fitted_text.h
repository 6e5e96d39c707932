#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <limits>

class QPainter;

namespace kvt {

// The sizes a text may take on the sheet, as pixel sizes in points, and how many lines it may
// have.
struct TextFit {
  int largest;
  int smallest;
  bool bold;
  int most_lines = std::numeric_limits<int>::max();
};

// A text laid out for a box: the font chosen and its lines, each as wide as the box at most.
struct FittedText {
  QFont font;
  QStringList lines;
  double line_height = 0;
};

// Lays `text` (its runs of spaces taken as one) out for `box` in the largest size from
// fit.largest down to fit.smallest at which its lines fit the box's height. Lines break
// between words, at a space or after a hyphen, and inside a word only where the word alone is
// wider than the box. A text that does not fit even in the smallest size keeps the lines that
// fit, the last one ending in "…", rather than going smaller, which a label could not be read
// in. Measured as `painter` draws, on its device.
FittedText fit_text(const QPainter& painter, const QString& text, const QSizeF& box,
                    const TextFit& fit);

// Draws the lines, each centred across `box`, as one block centred in `box`.
void draw_fitted(QPainter& painter, const QRectF& box, const FittedText& text);

}  // namespace kvt
