#include "window/application_look.h"

#include <QApplication>
#include <QFont>

namespace kvt {

void apply_application_look() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QApplication::setStyle(QStringLiteral("Fusion"));
}

}  // namespace kvt
