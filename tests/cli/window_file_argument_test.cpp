// "kvt-config FILE.kvc": the window opens with the file, as READ_FILE would have opened it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <fstream>
#include <memory>

#include "model/switch_rows.h"
#include "worked_example.h"
#include "recording_dialogs.h"
#include "window/form1.h"

namespace {

class WindowFileArgument : public ::testing::Test {
 protected:
  WindowFileArgument() {
    form.load();
    form.show();
  }
  std::string file(const std::string& content) {
    const std::string path = dir.filePath("Given File.kvc").toStdString();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  bool shown(int box) {
    return !form.findChild<QWidget*>(QStringLiteral("Text%1").arg(box))->isHidden();
  }

  QTemporaryDir dir;
  kvt::testing::RecordingDialogs* dialogs = new kvt::testing::RecordingDialogs;
  Form1 form{std::unique_ptr<kvt::Dialogs>(dialogs)};
};

TEST_F(WindowFileArgument, TheFileIsOpenAndOfferedNext) {
  const std::string path = file(kvt::testing::kWorkedExampleLine);
  form.open_file(path);
  EXPECT_EQ(form.text(kvt::kPanelNameBox), "LOBBY 2");
  EXPECT_EQ(form.text(kvt::designation_box(1)), "ENTRY");
  EXPECT_TRUE(shown(kvt::designation_box(1)));
  EXPECT_TRUE(dialogs->messages().empty());

  form.findChild<QAbstractButton*>("READ_FILE")->click();  // the script has no answer: a cancel
  ASSERT_EQ(dialogs->requests().size(), 1u);
  EXPECT_EQ(dialogs->requests()[0].offered.file_name, path);
}

// "kvt-config caf\xe9.kvc" hands the name's bytes on as they are; they are no UTF-8.
TEST_F(WindowFileArgument, ANameThatIsNotUtf8Opens) {
  const std::string path = dir.path().toStdString() + "/caf\xe9.kvc";
  std::ofstream(path, std::ios::binary) << kvt::testing::kWorkedExampleLine;
  form.open_file(path);
  ::unlink(path.c_str());  // QTemporaryDir cannot remove it
  EXPECT_EQ(form.text(kvt::kPanelNameBox), "LOBBY 2");
  EXPECT_TRUE(dialogs->messages().empty());
}

TEST_F(WindowFileArgument, ARefusedFileShowsItsMessageAndLeavesTheWindowEmpty) {
  form.open_file(file("\"00-00999-XYZ\",\"OTHER\"\r\n"));
  ASSERT_EQ(dialogs->messages().size(), 1u);
  EXPECT_EQ(dialogs->messages()[0].title, "FILE/MODEL MIS-MATCH");
  EXPECT_EQ(form.text(kvt::kPanelNameBox), "");
  EXPECT_EQ(form.selected(kvt::module_list(1)), -1);
}

TEST_F(WindowFileArgument, AnUnreadableFileIsNamedInItsOwnLetters) {
  const QString folder = dir.filePath("Mixed Case.kvc");
  ASSERT_TRUE(QDir().mkdir(folder));
  form.open_file(folder.toStdString());
  const auto* status = form.findChild<QPlainTextEdit*>("Text1");
  EXPECT_EQ(status->toPlainText(),
            "CONFIGURATION FILE COULD NOT BE READ: " + folder + " (IT IS A FOLDER)");
}

}  // namespace
