#include "window/text_box.h"

#include "window/typed_text_filter.h"

namespace kvt {

TextBox::TextBox(const QString& text, int typed_length_limit, QWidget* parent)
    : QLineEdit(text, parent), filter_(new TypedTextFilter(*this, typed_length_limit)) {
  setValidator(filter_);
}

void TextBox::set_program_text(const QString& text) {
  setValidator(nullptr);
  setText(text);
  setValidator(filter_);
}

}  // namespace kvt
