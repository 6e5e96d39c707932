#pragma once

#include <QValidator>

class QLineEdit;

namespace kvt {

// Filters what the user types or pastes into a name or designation box: a character that a name
// may not hold (see may_be_in_name: a double quote, a character outside Latin-1, a control
// character such as a line break) is dropped from what is entered, and the rest of a paste is
// kept. With a typed-length limit the user
// cannot make the text longer than the limit, or longer than it already is when the program
// has put a longer text there. Text the program sets is never filtered (see TextBox).
class TypedTextFilter : public QValidator {
  Q_OBJECT

 public:
  // typed_length_limit 0 means no limit.
  TypedTextFilter(QLineEdit& box, int typed_length_limit);

  State validate(QString& input, int& pos) const override;

 private:
  QString before_edit_;
  int typed_length_limit_;
};

}  // namespace kvt
