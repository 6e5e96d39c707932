#include <QApplication>

#include "window/application_look.h"
#include "window/form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kvt-config"));
  kvt::apply_application_look();

  Form1 form;
  form.load();
  form.show();
  return QApplication::exec();
}
