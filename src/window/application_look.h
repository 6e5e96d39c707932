#pragma once

namespace kvt {

// Makes the window look the same on every desktop: the layout's fonts, "MS Sans Serif" and
// "Arial", are drawn with Liberation Sans, and every widget uses kvt::ClassicStyle, Fusion with
// a focus mark that always shows. The window's light classic colours are the whole program's,
// so its context menu, dialogs, file choosers and tooltips keep them on a dark desktop too. Call
// once after the QApplication exists and before the window is created.
void apply_application_look();

}  // namespace kvt
