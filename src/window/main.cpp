#include <QApplication>

#include "window/application_look.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kvt-config"));
  // Ties the window to the desktop entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral("com.korvelantix.KvtConfig"));
  kvt::apply_application_look();

  Form1 form;
  form.load();
  form.show();
  return QApplication::exec();
}
