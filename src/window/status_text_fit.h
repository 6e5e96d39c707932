#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace kvt {

// What of `text` the status box shows in `area` (its inside, in pixels) in `font`, wrapped as
// the box wraps it, at words and else anywhere: the whole text when the letters of every line
// fit, else as many lines as fit, the last of them ended with `cut_mark` to say there is more. The
// box cannot grow, and a box that scrolls hides the part that says what to do.
QString shown_part(const QString& text, const QFont& font, QSize area, const QString& cut_mark);

}  // namespace kvt
