#pragma once

#include <QString>
#include <QWidget>

namespace kvt {

// An invisible notice that a screen reader speaks when a command ends. It has no size and takes
// no focus; to assistive technology it is a notification whose name is the outcome. Linux screen
// readers speak a notification as it appears, which is how the outcome reaches them: the
// accessibility alert event the window also sends is not passed on by Qt's AT-SPI bridge.
class OutcomeNotice : public QWidget {
  Q_OBJECT

 public:
  explicit OutcomeNotice(QWidget& window);

  // Makes the notice appear anew with `outcome` as its name, so it is spoken even when the same
  // outcome comes twice in a row.
  void announce(const QString& outcome);
};

}  // namespace kvt
