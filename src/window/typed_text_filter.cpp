#include "window/typed_text_filter.h"

#include <QLineEdit>
#include <algorithm>

#include "model/name_rule.h"

namespace kvt {

TypedTextFilter::TypedTextFilter(QLineEdit& box, int typed_length_limit)
    : QValidator(&box), before_edit_(box.text()), typed_length_limit_(typed_length_limit) {
  connect(&box, &QLineEdit::textChanged, this,
          [this](const QString& text) { before_edit_ = text; });
}

QValidator::State TypedTextFilter::validate(QString& input, int& pos) const {
  // The edit replaced the middle of the old text: find what is new between the unchanged start
  // and the unchanged end, and filter only that.
  const QString& before = before_edit_;
  const qsizetype shorter = std::min(before.size(), input.size());
  qsizetype head = 0;
  while (head < shorter && before[head] == input[head]) {
    ++head;
  }
  qsizetype tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == input[input.size() - 1 - tail]) {
    ++tail;
  }
  const QString entered = input.mid(head, input.size() - head - tail);

  QString kept;
  for (QChar character : entered) {
    // Half of a surrogate pair is above Latin-1 like the character it belongs to.
    if (may_be_in_name(character.unicode())) {
      kept.append(character);
    }
  }
  if (typed_length_limit_ > 0) {
    const qsizetype longest = std::max<qsizetype>(typed_length_limit_, before.size());
    const qsizetype room = std::max<qsizetype>(0, longest - (input.size() - entered.size()));
    kept.truncate(room);
  }

  if (kept != entered) {
    input = input.left(head) + kept + input.right(tail);
    if (pos >= head + entered.size()) {
      pos -= static_cast<int>(entered.size() - kept.size());
    } else if (pos > head) {
      pos = static_cast<int>(std::min<qsizetype>(pos, head + kept.size()));
    }
  }
  return Acceptable;
}

}  // namespace kvt
