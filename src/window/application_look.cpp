#include "window/application_look.h"

#include <QApplication>
#include <QFont>

#include "window/classic_style.h"

namespace kvt {

void apply_application_look() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QApplication::setStyle(new ClassicStyle);
}

}  // namespace kvt
