#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <string>

#include "commands/command_texts.h"
#include "link/link_texts.h"
#include "link/port_error.h"
#include "tests/window/counting_form.h"

namespace {

using kvt::testing::CountingForm1;

// The window as the user has it, with the status box that the commands fill.
class StatusBoxText : public ::testing::Test {
 protected:
  StatusBoxText() {
    form.load();
    form.show();
  }

  QPlainTextEdit& box() { return *form.findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
  // The scroll bar as the user sees it once the window has laid the box out again.
  QScrollBar& scroll_bar() {
    QCoreApplication::processEvents();
    return *box().verticalScrollBar();
  }
  void press(const char* name) {
    form.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
  }
  // The position of the first character drawn in the box's top left corner.
  int first_shown() { return box().cursorForPosition(QPoint(2, 2)).position(); }

  // The whole text is in the box, the rest of it can be scrolled to, and it is shown from its
  // first line.
  void expect_whole_text_from_its_start(const std::string& text) {
    EXPECT_TRUE(box().isVisible());
    EXPECT_EQ(box().toPlainText().toStdString(), text);
    EXPECT_TRUE(scroll_bar().isVisible()) << text;
    EXPECT_GT(scroll_bar().maximum(), 0) << text;
    EXPECT_EQ(scroll_bar().value(), 0);
    EXPECT_EQ(first_shown(), 0);
  }

  CountingForm1 form;
};

TEST_F(StatusBoxText, PortFailureWithItsAdviceCanBeReadToTheEnd) {
  const char* device = "/dev/kvt-No-Such-Adapter";
  qputenv("KVT_SERIAL_PORT", device);
  press("READ_CONFIG");
  qunsetenv("KVT_SERIAL_PORT");

  const std::string expected =
      std::string(kvt::link_texts::kPortNotOpened) +
      kvt::describe_port_error({kvt::PortProblem::NoSuchDevice, device, {}}) + "\n(PORT " + device +
      " - SET IN KVT_SERIAL_PORT)";
  expect_whole_text_from_its_start(expected);
}

// A path is shown in its own letters: "/tmp/Some Dir" and "/TMP/SOME DIR" are different
// folders on Linux.
TEST_F(StatusBoxText, FileFailureKeepsThePathsLettersAndCanBeReadToTheEnd) {
  QTemporaryDir folder;
  const QString chosen =
      folder.filePath(QStringLiteral("Technician's Panels/Lobby Level 2/Case.kvc"));
  ASSERT_TRUE(QDir().mkpath(chosen));  // a folder chosen as the file
  form.recorder().answer_with(chosen.toStdString());
  press("READ_FILE");

  expect_whole_text_from_its_start("CONFIGURATION FILE COULD NOT BE READ: " + chosen.toStdString() +
                                   " (IT IS A FOLDER)");
}

TEST_F(StatusBoxText, ScrollBarIsShownOnlyWhileTheTextDoesNotFit) {
  const std::string long_text(200, 'W');
  form.set_status_visible(true);
  form.set_status_text(std::string(kvt::command_texts::kCommunicationsOk));
  EXPECT_FALSE(scroll_bar().isVisible());
  form.set_status_text(long_text);
  EXPECT_TRUE(scroll_bar().isVisible());
  form.set_status_text(std::string(kvt::command_texts::kReadDone));
  EXPECT_FALSE(scroll_bar().isVisible());
}

// A user who scrolled to the end of one failure reads the next text from its start.
TEST_F(StatusBoxText, NewTextIsShownFromItsStart) {
  form.set_status_visible(true);
  form.set_status_text(std::string(300, 'W'));
  scroll_bar().setValue(scroll_bar().maximum());
  ASSERT_GT(first_shown(), 0);
  form.set_status_text(std::string(250, 'M'));
  EXPECT_EQ(scroll_bar().value(), 0);
  EXPECT_EQ(first_shown(), 0);
}

}  // namespace
