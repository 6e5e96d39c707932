#pragma once

#include <QProxyStyle>

namespace kvt {

// Fusion, drawn so that the control holding the keyboard focus always shows it, as on the
// classic desktop the window copies: a dotted rectangle around a focused button's caption, the
// tick box's caption and a list's current row (in the row's own text colour, so it shows on a
// selected row too), and the frame of a focused list or text box in the selection colour. Fusion
// alone shows the focus only after a Tab key and hides it on a selected row.
class ClassicStyle : public QProxyStyle {
  Q_OBJECT

 public:
  ClassicStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
};

}  // namespace kvt
