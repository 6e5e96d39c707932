// PRINT CONFIGURATION SHEET... and Ctrl+P: the configuration the window shows, on the sheet the
// command line draws, printed here into a PDF file instead of through the print dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>

#include "model/switch_rows.h"
#include "model/tables.h"
#include "tests/window/counting_form.h"
#include "worked_example.h"

namespace kvt {
namespace {

// The window with the print dialog answered by a PDF file.
class PrintingForm : public testing::CountingForm1 {
 public:
  QString pdf;

 protected:
  bool choose_printer(QPrinter& printer) override {
    ++printer_requests;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  }
};

// The text of the sheet without its spaces and line breaks, which depend on the paper.
std::string text_of(const QString& pdf) {
  QProcess tool;
  tool.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  tool.waitForFinished(20000);
  return QString::fromUtf8(tool.readAllStandardOutput())
      .remove(QRegularExpression(QStringLiteral("\\s")))
      .toStdString();
}

class PrintSheet : public ::testing::Test {
 protected:
  PrintSheet() {
    form.pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    form.load();
    form.show();
    const std::string file = dir.filePath("LOBBY 2.kvc").toStdString();
    std::ofstream(file, std::ios::binary) << testing::kWorkedExampleLine;
    form.open_file(file);
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  // A key pressed where the technician types: in the panel name box.
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    auto* box = form.findChild<QWidget*>(QStringLiteral("Text2"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, key, modifiers);
  }

  // The sheet as printed: every designation, setting and the file it came from.
  void expect_worked_example_printed() {
    ASSERT_EQ(form.printer_requests, 1);
    const std::string text = text_of(form.pdf);
    for (const char* expected : {"LOBBY2", "ENTRYSTAGEB3A1", "MASTERDESIGNATIONBL/MRN/A",
                                 "LOBBY2.kvc", "1201591601601601601601601601591104"}) {
      EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in\n" << text;
    }
  }

  QTemporaryDir dir;
  PrintingForm form;
};

TEST_F(PrintSheet, CtrlPPrintsTheConfigurationShown) {
  press(Qt::Key_P, Qt::ControlModifier);
  expect_worked_example_printed();
}

TEST_F(PrintSheet, ContextMenuEntryPrintsTheConfigurationShown) {
  press(Qt::Key_F10, Qt::ShiftModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QAction* print = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text() == QStringLiteral("PRINT CONFIGURATION SHEET...")) print = action;
  }
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  print->trigger();
  menu->close();
  expect_worked_example_printed();
}

// As SAVE refuses it: in red, and no dialog is shown.
TEST_F(PrintSheet, IncompleteSwitchIsRefusedAsSaveRefusesIt) {
  form.select(channel_list(1), kNoSelection);  // SW1 on "B" without a channel
  press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(form.printer_requests, 0);
  EXPECT_FALSE(QFile::exists(form.pdf));
  EXPECT_EQ(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(),
            QStringLiteral("DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA"));
}

}  // namespace
}  // namespace kvt
