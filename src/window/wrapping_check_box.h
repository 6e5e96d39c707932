#pragma once

#include <QCheckBox>

namespace kvt {

// A tick box whose caption wraps beside the box when it is wider than the control. The whole
// control, caption included, takes the click.
class WrappingCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  WrappingCheckBox(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

}  // namespace kvt
