#include "window/application_look.h"

#include <QApplication>
#include <QFont>
#include <QToolTip>

#include "window/classic_style.h"
#include "window/theme.h"

namespace kvt {

void apply_application_look() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QApplication::setStyle(new ClassicStyle);
  // The desktop's colours reach the menus, dialogs and tooltips as the application's palette, a
  // palette per kind of widget and the tooltips' own. The application's palette replaces the
  // first two; the desktop's file chooser would keep its own colours, so Qt's is used.
  const QPalette classic = theme::classic_palette();
  QApplication::setPalette(classic);
  QToolTip::setPalette(classic);
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

}  // namespace kvt
