#pragma once

#include <QLineEdit>

namespace kvt {

class TypedTextFilter;

// A one-line name or designation box. What the user enters goes through a TypedTextFilter;
// text the program puts there (from a file, say) is shown whole, however long a file may hold it. A
// text longer than the box is shown from its beginning whenever the user is not at work in it:
// after the program put it there, and once the focus has moved on.
//
// Ctrl+Z and the redo keys undo and redo the typing in the box while it has any to undo or redo;
// otherwise they go on to the window, which undoes and redoes whole edits.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  // typed_length_limit 0 means no limit.
  TextBox(const QString& text, int typed_length_limit, QWidget* parent);

  void set_program_text(const QString& text);

 protected:
  bool event(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  TypedTextFilter* filter_;
};

}  // namespace kvt
