#include "window/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "recording_dialogs.h"
#include "tests/window/other_qt_words.h"
#include "tests/window/qt_printing.h"
#include "when_modal_appears.h"
#include "window/chooser_folder.h"
#include "window/form1.h"

namespace {

using kvt::testing::when_modal_appears;

struct MessageCase {
  const char* title;
  const char* expected_title;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << '"' << c.title << '"'; }

class QtMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(QtMessage, ShowsTheTextWithOnlyAnOkButtonAndNoIcon) {
  const kvt::testing::OtherQtWords other_words;
  QWidget window;
  kvt::QtDialogs dialogs(window);
  QString title;
  QString text;
  QString ok_caption;
  QList<QAbstractButton*> buttons;
  QMessageBox::Icon icon = QMessageBox::Warning;
  when_modal_appears([&](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    buttons = box->buttons();
    icon = box->icon();
    EXPECT_EQ(box->standardButton(buttons.value(0)), QMessageBox::Ok);
    ok_caption = box->button(QMessageBox::Ok)->text();
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.message("NORMAL <b>INDICATOR</b>\nSECOND LINE", GetParam().title);
  EXPECT_EQ(title, QString::fromUtf8(GetParam().expected_title));
  EXPECT_EQ(text, QStringLiteral("NORMAL <b>INDICATOR</b>\nSECOND LINE"));
  EXPECT_EQ(buttons.size(), 1);
  EXPECT_EQ(ok_caption, QStringLiteral("OK"));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, QtMessage,
    ::testing::Values(MessageCase{"",
                                  "TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM"},
                      MessageCase{"FILE/MODEL MIS-MATCH", "FILE/MODEL MIS-MATCH"}),
    [](const auto& info) { return info.index == 0 ? "ProgramTitle" : "OwnTitle"; });

// On a dark desktop the application's palette turns dark; the message box keeps the light colours
// of the window it belongs to, so its black text stays readable and it looks like the window.
TEST(QtMessageLook, KeepsTheWindowsClassicColoursOnADarkDesktop) {
  const QPalette desktop = QApplication::palette();
  QPalette dark(QColor(40, 40, 40), QColor(30, 30, 30));
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  QApplication::setPalette(dark);
  Form1 window(std::make_unique<kvt::testing::RecordingDialogs>());
  kvt::QtDialogs dialogs(window);
  QPalette shown;
  when_modal_appears([&](QWidget& modal) {
    shown = modal.palette();
    qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Ok)->click();
  });
  dialogs.message("SWITCH PANEL HAS BEEN PROGRAMMED", "");
  QApplication::setPalette(desktop);

  for (const QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Button,
                                         QPalette::ButtonText, QPalette::Base, QPalette::Text}) {
    EXPECT_EQ(shown.color(role).name(), window.palette().color(role).name())
        << QMetaEnum::fromType<QPalette::ColorRole>().valueToKey(role);
  }
}

// The question about unsaved changes: its words, its three buttons, and what each answers.
struct QuestionReply {
  const char* button;  // empty: Escape
  kvt::UnsavedAnswer answer;
};

void PrintTo(const QuestionReply& r, std::ostream* os) { *os << (*r.button ? r.button : "Escape"); }

class QtQuestion : public ::testing::TestWithParam<QuestionReply> {};

TEST_P(QtQuestion, OffersSaveDiscardAndCancelInTheWindowsColours) {
  Form1 window(std::make_unique<kvt::testing::RecordingDialogs>());
  kvt::QtDialogs dialogs(window);
  QString title, text;
  QStringList captions;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QPalette shown;
  when_modal_appears([&](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    shown = box->palette();
    for (QAbstractButton* button : box->buttons()) captions << button->text();
    if (*GetParam().button == '\0') {
      QTest::keyClick(box, Qt::Key_Escape);
      return;
    }
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == QLatin1String(GetParam().button)) button->click();
    }
  });
  const kvt::UnsavedAnswer answer = dialogs.ask_save_first("FIRST LINE\nSECOND?", "ASKED");

  EXPECT_EQ(answer, GetParam().answer);
  EXPECT_EQ(title, QStringLiteral("ASKED"));
  EXPECT_EQ(text, QStringLiteral("FIRST LINE\nSECOND?"));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  captions.sort();
  EXPECT_EQ(captions, (QStringList{"CANCEL", "DISCARD", "SAVE"}));
  EXPECT_EQ(shown.color(QPalette::Window).name(), window.palette().color(QPalette::Window).name());
}

INSTANTIATE_TEST_SUITE_P(Replies, QtQuestion,
                         ::testing::Values(QuestionReply{"SAVE", kvt::UnsavedAnswer::Save},
                                           QuestionReply{"DISCARD", kvt::UnsavedAnswer::Discard},
                                           QuestionReply{"CANCEL", kvt::UnsavedAnswer::Cancel},
                                           QuestionReply{"", kvt::UnsavedAnswer::Cancel}),
                         [](const auto& info) {
                           return std::string(*info.param.button ? info.param.button : "Escape");
                         });

class QtChooser : public ::testing::Test {
 protected:
  kvt::FileChooser chooser(const QString& offered, const char* title) {
    return {offered.toStdString(), "KORVELANTIX CONFIGURATION FILES (*.kvc)", title, "kvc"};
  }
  QTemporaryDir folder;
  QWidget window;
  kvt::QtDialogs dialogs{window};
};

// The save dialog offers the name it was given and adds ".kvc" to a name typed without it.
TEST_F(QtChooser, SaveOffersTheNameAndReturnsTheChosenPathWithTheSuffix) {
  const QString offered = folder.filePath(QStringLiteral("LOBBY 2.kvc"));
  kvt::FileChooser request = chooser(offered, "WRITE CONFIGURATION FILE");
  when_modal_appears([&](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("WRITE CONFIGURATION FILE"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(),
              QStringList{QStringLiteral("KORVELANTIX CONFIGURATION FILES (*.kvc)")});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("kvc"));
    EXPECT_EQ(dialog->selectedFiles(), QStringList{offered});
    dialog->selectFile(folder.filePath(QStringLiteral("HALL")));
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  ASSERT_TRUE(dialogs.show_save(request));
  EXPECT_EQ(request.file_name, folder.filePath(QStringLiteral("HALL.kvc")).toStdString());
}

TEST_F(QtChooser, OpenReturnsTheFullPathOfAnExistingFile) {
  const QString existing = folder.filePath(QStringLiteral("STAGE.kvc"));
  QFile file(existing);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  kvt::FileChooser request = chooser(QString(), "READ CONFIGURATION FILE");
  when_modal_appears([&](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("READ CONFIGURATION FILE"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    dialog->selectFile(existing);
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  ASSERT_TRUE(dialogs.show_open(request));
  EXPECT_EQ(request.file_name, existing.toStdString());
}

TEST_F(QtChooser, CancelReturnsFalseAndKeepsTheName) {
  for (bool save : {true, false}) {
    const QString offered = folder.filePath(QStringLiteral("KEEP.kvc"));
    kvt::FileChooser request = chooser(offered, "READ CONFIGURATION FILE");
    when_modal_appears([](QWidget& modal) {
      auto* dialog = qobject_cast<QFileDialog*>(&modal);
      ASSERT_NE(dialog, nullptr);
      dialog->reject();
    });
    EXPECT_FALSE(save ? dialogs.show_save(request) : dialogs.show_open(request));
    EXPECT_EQ(request.file_name, offered.toStdString()) << (save ? "save" : "open");
  }
}

// Both dialogs start in the folder a file was last chosen in, after a restart too.
TEST_F(QtChooser, BothDialogsStartInTheFolderUsedLast) {
  const QString chosen_folder = folder.filePath(QStringLiteral("site b"));
  ASSERT_TRUE(QDir().mkpath(chosen_folder));
  kvt::FileChooser first = chooser(QStringLiteral("LOBBY 2.kvc"), "WRITE CONFIGURATION FILE");
  when_modal_appears([&](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    dialog->selectFile(chosen_folder + QStringLiteral("/HALL.kvc"));
    static_cast<QDialog*>(dialog)->accept();
  });
  ASSERT_TRUE(dialogs.show_save(first));
  EXPECT_EQ(kvt::remembered_folder(), chosen_folder);

  // As if chosen in an earlier run: Qt's own memory of this run's folder must not decide.
  const QString earlier_folder = folder.filePath(QStringLiteral("site a"));
  ASSERT_TRUE(QDir().mkpath(earlier_folder));
  kvt::remember_folder_of(earlier_folder + QStringLiteral("/OLD.kvc"));

  for (const char* offered : {"STAGE.kvc", ""}) {
    kvt::FileChooser next = chooser(QString::fromLatin1(offered), "READ CONFIGURATION FILE");
    QString started_in;
    when_modal_appears([&](QWidget& modal) {
      auto* dialog = qobject_cast<QFileDialog*>(&modal);
      started_in = dialog->directory().absolutePath();
      dialog->reject();
    });
    const bool save = *offered != '\0';
    EXPECT_FALSE(save ? dialogs.show_save(next) : dialogs.show_open(next));
    EXPECT_EQ(started_in, earlier_folder) << (save ? "save" : "open");
  }
}

}  // namespace
