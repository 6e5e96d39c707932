#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <cstdint>

#include "model/status_box.h"

namespace kvt::theme {

// A colour stored as &HBBGGRR: blue in the high byte, red in the low one.
QColor from_bgr(std::uint32_t bgr);

// Desktop theme colours the layout names, fixed to the classic Windows desktop's values so the
// window looks the same on a light or a dark desktop.
QColor window_background();  // inactive border, &H8000000B
QColor switch_label_text();  // highlight text, &H8000000E
QColor switch_label_back();  // grey text, &H80000011
QColor status_background();  // 3D light, &H80000016

QColor header_marker();  // &HFFFF80, light cyan
QColor status_colour(StatusColour colour);

// The light palette every widget of the window draws with, whatever the desktop's theme.
QPalette classic_palette();

// The layout's fonts. "MS Sans Serif" and "Arial" are mapped to Liberation Sans at start-up.
enum class LayoutFont {
  Window,       // MS Sans Serif 8.25 pt bold, the window font
  SansRegular,  // MS Sans Serif 8.25 pt regular
  ArialBold,    // Arial 9.75 pt bold
  ArialSmall,   // Arial 8.25 pt regular
};
QFont font(LayoutFont which);

}  // namespace kvt::theme
