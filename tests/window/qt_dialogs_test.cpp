#include "window/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "tests/window/qt_printing.h"

namespace {

// Acts on the next modal dialog as soon as it is on screen, so no test waits on a person.
void when_modal_appears(std::function<void(QWidget&)> act) {
  auto* poll = new QTimer(qApp);
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act), tries = 0]() mutable {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->deleteLater();
      poll->stop();
      act(*modal);
    } else if (++tries > 400) {
      poll->deleteLater();
      poll->stop();
      ADD_FAILURE() << "no modal dialog appeared";
    }
  });
  poll->start();
}

struct MessageCase {
  const char* title;
  const char* expected_title;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << '"' << c.title << '"'; }

class QtMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(QtMessage, ShowsTheTextWithOnlyAnOkButtonAndNoIcon) {
  QWidget window;
  kvt::QtDialogs dialogs(window);
  QString title;
  QString text;
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
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.message("NORMAL <b>INDICATOR</b>\nSECOND LINE", GetParam().title);
  EXPECT_EQ(title, QString::fromUtf8(GetParam().expected_title));
  EXPECT_EQ(text, QStringLiteral("NORMAL <b>INDICATOR</b>\nSECOND LINE"));
  EXPECT_EQ(buttons.size(), 1);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, QtMessage,
    ::testing::Values(MessageCase{"",
                                  "TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM"},
                      MessageCase{"FILE/MODEL MIS-MATCH", "FILE/MODEL MIS-MATCH"}),
    [](const auto& info) { return info.index == 0 ? "ProgramTitle" : "OwnTitle"; });

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

}  // namespace
