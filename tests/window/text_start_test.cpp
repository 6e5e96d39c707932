// A name or designation longer than its box is shown by its first letters, so the boxes can be
// checked at a glance: after a load, and once the user has moved on from a box.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>

#include "file_bytes.h"
#include "model/switch_rows.h"
#include "tests/window/counting_form.h"

namespace kvt {
namespace {

// The worked example with long texts in the panel name and SW1's designation.
constexpr const char* kLongTexts =
    "\"00-00417-MDL\",\"LOBBY 2 EAST WING FIRST FLOOR\",\"KITCHEN CEILING WW\",12,\"STAGE\",0,"
    "\"MASTER\",159,\"DESIGNATION \",160,\"DESIGNATION \",160,\"DESIGNATION \",160,"
    "\"DESIGNATION \",160,\"DESIGNATION \",160,\"DESIGNATION \",160,\"DESIGNATION \",160,159,"
    "\"feature\",1,\"ind%\",10,\"bl%\",4\r\n";

class TextStart : public ::testing::Test {
 protected:
  TextStart() {
    form.load();
    form.show();
    std::ofstream(file, std::ios::binary) << kLongTexts;
  }
  QLineEdit& box(int number) {
    return *form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
  }
  void expect_every_box_at_its_start() {
    for (int number = kPanelNameBox; number <= designation_box(kSwitchCount); ++number) {
      EXPECT_EQ(box(number).cursorPosition(), 0)
          << "Text" << number << " shows " << box(number).text().toStdString();
    }
  }
  void focus_end_of(QLineEdit& target) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    target.setFocus(Qt::MouseFocusReason);
    QTest::keyClick(&target, Qt::Key_End);
    ASSERT_EQ(target.cursorPosition(), target.text().size());
  }

  QTemporaryDir dir;
  const std::string file = dir.filePath("LONG.kvc").toStdString();
  testing::CountingForm1 form;
};

TEST_F(TextStart, AFileNamedAtTheStartShowsTheFirstLetters) {
  form.open_file(file);
  ASSERT_EQ(form.text(designation_box(1)), "KITCHEN CEILING WW");
  expect_every_box_at_its_start();
}

TEST_F(TextStart, AFileOpenedWithTheButtonShowsTheFirstLetters) {
  form.recorder().answer_with(file);
  form.findChild<QAbstractButton*>("READ_FILE")->click();
  ASSERT_EQ(form.text(kPanelNameBox), "LOBBY 2 EAST WING FIRST FLOOR");
  expect_every_box_at_its_start();
}

TEST_F(TextStart, LeavingABoxShowsItsFirstLetters) {
  form.open_file(file);
  QLineEdit& designation = box(designation_box(1));
  focus_end_of(designation);
  QTest::keyClick(&designation, Qt::Key_Tab);
  ASSERT_FALSE(designation.hasFocus());
  EXPECT_EQ(designation.cursorPosition(), 0);
}

// The box's own edit menu leaves the cursor where it was, so a paste goes there.
TEST_F(TextStart, TheEditMenuKeepsTheCursorWhereItWas) {
  form.open_file(file);
  QLineEdit& designation = box(designation_box(1));
  focus_end_of(designation);
  const QPoint where = designation.mapTo(&form, designation.rect().center());
  QTest::mousePress(form.windowHandle(), Qt::RightButton, {}, where);
  QTest::mouseRelease(form.windowHandle(), Qt::RightButton, {}, where);
  QWidget* menu = QApplication::activePopupWidget();
  ASSERT_NE(qobject_cast<QMenu*>(menu), nullptr);
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_EQ(designation.cursorPosition(), designation.text().size());
}

// A text as long as a file may hold goes through the window whole: shown whole, and saved again
// byte for byte. A line edit on its own would cut it at 32767 characters.
TEST_F(TextStart, ADesignationOf40000CharactersOpensAndSavesWhole) {
  std::string designation;
  while (designation.size() < 40000) designation += "CAF\xC9 " + std::to_string(designation.size());
  designation.resize(40000);
  std::string record = kLongTexts;
  record.replace(record.find("KITCHEN CEILING WW"), std::string("KITCHEN CEILING WW").size(),
                 designation);
  std::ofstream(file, std::ios::binary) << record;

  form.open_file(file);
  const QString shown = box(designation_box(1)).text();
  EXPECT_EQ(shown.size(), 40000);
  EXPECT_TRUE(shown == QString::fromLatin1(designation)) << "the designation shown differs";

  const std::string saved = dir.filePath("SAVED.kvc").toStdString();
  form.recorder().answer_with(saved);
  form.findChild<QAbstractButton*>("WRITE_FILE")->click();
  EXPECT_TRUE(testing::file_bytes(saved) == record)
      << "the file saved differs from the file opened";
}

}  // namespace
}  // namespace kvt
