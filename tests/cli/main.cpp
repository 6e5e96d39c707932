#include <gtest/gtest.h>

#include <QApplication>

#include "window/application_look.h"

int main(int argc, char* argv[]) {
  // The window that the command line is compared with is drawn without a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kvt::apply_application_look();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
