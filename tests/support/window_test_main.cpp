#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "window/application_look.h"

int main(int argc, char* argv[]) {
  // The window tests draw and click without a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The chosen port and folder land in a folder of the tests' own, never in the user's settings.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  kvt::apply_application_look();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
