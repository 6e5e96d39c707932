#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "window/application_look.h"

int main(int argc, char* argv[]) {
  // The window tests draw and click without a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The chosen port and folder land in a folder of the tests' own, never in the user's settings.
  const QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  // Panel commands are recorded nowhere unless a test names a journal of its own.
  qputenv("KVT_JOURNAL", "off");
  kvt::apply_application_look();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
