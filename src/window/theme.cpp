#include "window/theme.h"

namespace kvt::theme {

QColor from_bgr(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

QColor window_background() { return QColor(212, 208, 200); }
QColor switch_label_text() { return QColor(255, 255, 255); }
QColor switch_label_back() { return QColor(128, 128, 128); }
QColor status_background() { return QColor(212, 208, 200); }
QColor header_marker() { return from_bgr(0xFFFF80); }

QColor status_colour(StatusColour colour) {
  switch (colour) {
    case StatusColour::Yellow:
      return from_bgr(0x00FFFF);
    case StatusColour::Green:
      return from_bgr(0x00FF00);
    case StatusColour::Red:
      return from_bgr(0x0000FF);
  }
  return status_background();
}

QPalette classic_palette() {
  const QColor face = window_background();
  const QColor black(0, 0, 0);
  const QColor white(255, 255, 255);
  const QColor grey(128, 128, 128);

  QPalette palette(face);
  palette.setColor(QPalette::Window, face);
  palette.setColor(QPalette::WindowText, black);
  palette.setColor(QPalette::Base, white);
  palette.setColor(QPalette::AlternateBase, face);
  palette.setColor(QPalette::Text, black);
  palette.setColor(QPalette::Button, face);
  palette.setColor(QPalette::ButtonText, black);
  palette.setColor(QPalette::BrightText, white);
  palette.setColor(QPalette::Light, white);
  palette.setColor(QPalette::Midlight, face);
  palette.setColor(QPalette::Mid, QColor(160, 160, 160));
  palette.setColor(QPalette::Dark, grey);
  palette.setColor(QPalette::Shadow, QColor(64, 64, 64));
  palette.setColor(QPalette::Highlight, QColor(10, 36, 106));
  palette.setColor(QPalette::HighlightedText, white);
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
  palette.setColor(QPalette::ToolTipText, black);
  palette.setColor(QPalette::PlaceholderText, grey);
  palette.setColor(QPalette::Link, QColor(0, 0, 255));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, grey);
  }
  return palette;
}

QFont font(LayoutFont which) {
  switch (which) {
    case LayoutFont::Window:
    case LayoutFont::SansRegular: {
      QFont sans(QStringLiteral("MS Sans Serif"));
      sans.setPointSizeF(8.25);
      sans.setBold(which == LayoutFont::Window);
      return sans;
    }
    case LayoutFont::ArialBold:
    case LayoutFont::ArialSmall: {
      QFont arial(QStringLiteral("Arial"));
      arial.setPointSizeF(which == LayoutFont::ArialBold ? 9.75 : 8.25);
      arial.setBold(which == LayoutFont::ArialBold);
      return arial;
    }
  }
  return QFont();
}

}  // namespace kvt::theme
