#include "window/outcome_notice.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace kvt {
namespace {

QAccessibleInterface* notice_accessibility(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(OutcomeNotice::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

}  // namespace

OutcomeNotice::OutcomeNotice(QWidget& window) : QWidget(&window) {
  // Once for the program: Qt keeps every factory it is given.
  static const bool factory_installed = (QAccessible::installFactory(notice_accessibility), true);
  Q_UNUSED(factory_installed);
  setObjectName(QStringLiteral("OutcomeNotice"));
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
  hide();
}

void OutcomeNotice::announce(const QString& outcome) {
  hide();
  setAccessibleName(outcome);
  show();
}

}  // namespace kvt
