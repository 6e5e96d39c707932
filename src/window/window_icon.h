#pragma once

#include <QIcon>

namespace kvt {

// The window's 40 x 40 icon: a small grey switch panel with its ten buttons.
QIcon window_icon();

}  // namespace kvt
