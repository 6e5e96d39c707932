#pragma once

#include <QString>

namespace kvt::window_texts {

// What the window asks before unsaved changes would be lost, word for word.
inline const QString kUnsavedTitle = QStringLiteral("UNSAVED CONFIGURATION");
inline const QString kUnsavedQuestion = QStringLiteral(
    "THE CONFIGURATION HAS CHANGED SINCE IT WAS LAST SAVED.\nSAVE IT TO A FILE FIRST?");
inline const QString kSaveButton = QStringLiteral("SAVE");
inline const QString kDiscardButton = QStringLiteral("DISCARD");
inline const QString kCancelButton = QStringLiteral("CANCEL");

}  // namespace kvt::window_texts
