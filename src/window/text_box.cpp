#include "window/text_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>

#include "files/config_file.h"
#include "window/typed_text_filter.h"

namespace kvt {

TextBox::TextBox(const QString& text, int typed_length_limit, QWidget* parent)
    : QLineEdit(text, parent), filter_(new TypedTextFilter(*this, typed_length_limit)) {
  // A line edit cuts its text at 32767 characters unless told otherwise; a text from a file must
  // be shown, and saved again, whole. A file's text is Latin-1, one character per byte.
  setMaxLength(static_cast<int>(kMostConfigFileBytes));
  setValidator(filter_);
}

void TextBox::set_program_text(const QString& text) {
  setValidator(nullptr);
  setText(text);
  setValidator(filter_);
  setCursorPosition(0);
}

bool TextBox::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->matches(QKeySequence::Undo) && !isUndoAvailable()) ||
        (key->matches(QKeySequence::Redo) && !isRedoAvailable())) {
      event->ignore();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The box's own edit menu or another window taking the focus for a moment leaves the user at
  // work here: a paste from that menu goes where the cursor was.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
    setCursorPosition(0);
  }
}

}  // namespace kvt
