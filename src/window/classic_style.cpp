#include "window/classic_style.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPen>
#include <QStyleFactory>
#include <QStyleOptionFocusRect>

namespace kvt {

namespace {

// The colour that stands out on the background the focus rectangle is drawn over: light on the
// selection colour or any other dark background, the text colour otherwise.
QColor focus_rect_colour(const QStyleOption& option) {
  if (option.state & QStyle::State_Selected) {
    return option.palette.color(QPalette::HighlightedText);
  }
  const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(&option);
  if (focus != nullptr && focus->backgroundColor.isValid() &&
      focus->backgroundColor.lightness() < 128) {
    return option.palette.color(QPalette::HighlightedText);
  }
  return option.palette.color(QPalette::WindowText);
}

void draw_dotted_rect(QPainter& painter, const QRect& rect, const QColor& colour) {
  painter.save();
  QPen pen(colour, 1, Qt::DotLine);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.restore();
}

// The frame of a focused list or text box, drawn over the style's own frame in its place, so
// the frame's width and everything inside it stay where they are.
void draw_focus_frame(QPainter& painter, const QStyleOption& option) {
  painter.save();
  QPen pen(option.palette.color(QPalette::Active, QPalette::Highlight), 1);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.drawRect(option.rect.adjusted(0, 0, -1, -1));
  painter.restore();
}

}  // namespace

ClassicStyle::ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case PE_FrameFocusRect:
      // Asked for only while the control has the focus, whether the focus came by key or mouse.
      draw_dotted_rect(*painter, option->rect, focus_rect_colour(*option));
      return;
    case PE_Frame:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      if ((option->state & State_HasFocus) && qobject_cast<const QAbstractScrollArea*>(widget)) {
        draw_focus_frame(*painter, *option);
      }
      return;
    default:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

void ClassicStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  // Fusion marks a focused button only by a faint outline after a Tab key.
  if (element == CE_PushButton && (option->state & State_HasFocus)) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    // Inside the bevel, clear of its edge, as the classic buttons draw it.
    focus.rect = option->rect.adjusted(3, 3, -3, -3);
    drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
  }
}

}  // namespace kvt
