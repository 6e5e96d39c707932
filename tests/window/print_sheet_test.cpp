// PRINT CONFIGURATION SHEET... and Ctrl+P: the configuration the window shows, on the sheet the
// command line draws, printed here into a PDF file instead of through the print dialog.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/switch_rows.h"
#include "model/tables.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "tests/window/counting_form.h"
#include "when_modal_appears.h"
#include "window/chooser_folder.h"
#include "worked_example.h"

namespace kvt {
namespace {

// The window with the print dialog answered by a PDF file.
class PrintingForm : public testing::CountingForm1 {
 public:
  QString pdf;
  // The file the print dialog was offered to print into.
  QString offered;
  // Runs while the print dialog would be up.
  std::function<void()> during_print;

 protected:
  bool choose_printer(QPrinter& printer) override {
    ++printer_requests;
    offered = printer.outputFileName();
    if (during_print) during_print();
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
    // The window has drawn itself before a step, as it has long before a user presses anything:
    // its first drawing is slow on a busy machine, and done inside a read it would eat into the
    // 100 ms in which the panel's answer must be found.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
  }

  // A key pressed where the technician types: in the panel name box.
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    auto* box = form.findChild<QWidget*>(QStringLiteral("Text2"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, key, modifiers);
  }

  // The sheet as printed: every designation, setting and the file it came from; the buttons
  // whose designation is still the start-up text are blank.
  void expect_worked_example_printed() {
    ASSERT_EQ(form.printer_requests, 1);
    const std::string text = text_of(form.pdf);
    for (const char* expected : {"LOBBY2", "ENTRYSTAGEB3A1", "MASTERBL/MR", "LOBBY2.kvc",
                                 "1201591601601601601601601601591104"}) {
      EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in\n" << text;
    }
    EXPECT_EQ(text.find("DESIGNATION"), std::string::npos) << text;
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

// The print action is the window's one Ctrl+P action, also in the context menu. While a command
// runs (here: the print dialog is up) opening, saving and printing wait, and come back after.
TEST_F(PrintSheet, FileKeysAndPrintWaitWhileACommandRuns) {
  int nested_prints = -1;
  bool menu_print_enabled = true;
  bool menu_print_is_the_window_action = false;
  form.during_print = [&] {
    press(Qt::Key_O, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier);
    press(Qt::Key_P, Qt::ControlModifier);
    nested_prints = form.printer_requests - 1;
    press(Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
      if (action->text() != QStringLiteral("PRINT CONFIGURATION SHEET...")) continue;
      menu_print_enabled = action->isEnabled();
      menu_print_is_the_window_action = form.actions().contains(action);
    }
    menu->close();
  };
  press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(nested_prints, 0);
  EXPECT_TRUE(form.recorder().requests().empty());
  EXPECT_FALSE(menu_print_enabled);
  EXPECT_TRUE(menu_print_is_the_window_action);

  form.during_print = nullptr;
  press(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(form.recorder().requests().size(), 1u);
  press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(form.printer_requests, 2);
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

// What stands at the name chosen in the print dialog, and how printing into it ends.
struct TargetCase {
  const char* name;
  // Makes what stands there in `dir`, beside the configuration shown ("LOBBY 2.kvc"), and gives
  // the name.
  std::function<QString(const QTemporaryDir& dir)> make;
  const char* refused;  // the reason the status box gives, or "" where the sheet is written
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class PrintTarget : public PrintSheet, public ::testing::WithParamInterface<TargetCase> {};

QByteArray bytes_of(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Printed into a file, the sheet is written as SAVE writes a configuration file: a FIFO, a
// device or a folder is refused before anything is written (a FIFO no longer holds the window
// up), a symbolic link keeps naming the sheet it names, and the configuration shown is never
// replaced by its sheet.
TEST_P(PrintTarget, IsWrittenAsSaveWritesOrRefused) {
  const TargetCase& c = GetParam();
  const QString configuration = dir.filePath(QStringLiteral("LOBBY 2.kvc"));
  const QByteArray configuration_before = bytes_of(configuration);
  form.pdf = c.make(dir);
  const bool link = QFileInfo(form.pdf).isSymLink();
  // A FIFO with a reader: what a print wrote into it would arrive here instead of blocking.
  const int fifo = QFileInfo(form.pdf).isFile() || QFileInfo(form.pdf).isDir()
                       ? -1
                       : ::open(form.pdf.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);

  press(Qt::Key_P, Qt::ControlModifier);
  ASSERT_EQ(form.printer_requests, 1);
  if (*c.refused) {
    EXPECT_EQ(form.text(1), "CONFIGURATION SHEET WAS NOT SAVED: " + form.pdf.toStdString() + " (" +
                                c.refused + ")");
  } else {
    EXPECT_TRUE(bytes_of(form.pdf).startsWith("%PDF-")) << form.text(1);
    EXPECT_EQ(QFileInfo(form.pdf).isSymLink(), link);
  }
  EXPECT_EQ(bytes_of(configuration), configuration_before);
  if (fifo >= 0) {
    char byte = 0;
    EXPECT_LE(::read(fifo, &byte, 1), 0) << "the print wrote into the FIFO";
    ::close(fifo);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, PrintTarget,
    ::testing::Values(
        TargetCase{"NewFile",
                   [](const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("a.pdf")); },
                   ""},
        TargetCase{"LinkToAnOlderSheet",
                   [](const QTemporaryDir& dir) {
                     const QString older = dir.filePath(QStringLiteral("older.pdf"));
                     std::ofstream(older.toStdString()) << "older sheet";
                     const QString link = dir.filePath(QStringLiteral("a.pdf"));
                     QFile::link(older, link);
                     return link;
                   },
                   ""},
        TargetCase{"Fifo",
                   [](const QTemporaryDir& dir) {
                     const QString fifo = dir.filePath(QStringLiteral("a.pdf"));
                     ::mkfifo(fifo.toLocal8Bit().constData(), 0600);
                     return fifo;
                   },
                   "NOT A REGULAR FILE"},
        TargetCase{"Device", [](const QTemporaryDir&) { return QStringLiteral("/dev/null"); },
                   "NOT A REGULAR FILE"},
        TargetCase{"Folder",
                   [](const QTemporaryDir& dir) {
                     QDir(dir.path()).mkdir(QStringLiteral("sheets"));
                     return dir.filePath(QStringLiteral("sheets"));
                   },
                   "NOT A REGULAR FILE"},
        TargetCase{
            "TheConfigurationShown",
            [](const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("LOBBY 2.kvc")); },
            "IT IS THE CONFIGURATION FILE"},
        TargetCase{"LinkToTheConfigurationShown",
                   [](const QTemporaryDir& dir) {
                     const QString link = dir.filePath(QStringLiteral("lobby.pdf"));
                     QFile::link(dir.filePath(QStringLiteral("LOBBY 2.kvc")), link);
                     return link;
                   },
                   "IT IS THE CONFIGURATION FILE"}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

// The PDF file's title, as its document information holds it.
std::string title_of(const QString& pdf) {
  QProcess tool;
  tool.start(QStringLiteral("pdfinfo"), {pdf});
  tool.waitForFinished(20000);
  for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split('\n')) {
    if (line.startsWith(QStringLiteral("Title:"))) return line.mid(6).trimmed().toStdString();
  }
  return {};
}

struct OfferCase {
  const char* name;
  std::string panel;
  std::string offered;  // in the folder the file choosers used last; "" for the dialog's own
};

void PrintTo(const OfferCase& c, std::ostream* os) { *os << c.name; }

class PrintOffer : public PrintSheet, public ::testing::WithParamInterface<OfferCase> {};

// Printing offers a PDF file named as the panel, beside the configuration files the technician
// last chose, and the document's title is the panel name.
TEST_P(PrintOffer, OffersThePanelNameInTheFolderUsedLast) {
  const OfferCase& c = GetParam();
  const QString folder = dir.filePath(QStringLiteral("site b"));
  ASSERT_TRUE(QDir().mkpath(folder));
  remember_folder_of(folder + QStringLiteral("/HALL.kvc"));
  form.set_text(kPanelNameBox, c.panel);
  press(Qt::Key_P, Qt::ControlModifier);
  ASSERT_EQ(form.printer_requests, 1);
  EXPECT_EQ(form.offered, c.offered.empty()
                              ? QString()
                              : QDir(folder).filePath(QString::fromStdString(c.offered)));
  EXPECT_LE(QFile::encodeName(QFileInfo(form.offered).fileName()).size(), 255);
  EXPECT_EQ(title_of(form.pdf), c.panel);
}

const std::string kLongName(300, 'L');
// "É" is two bytes: the name is shortened between two characters, never inside one.
const std::string kLongLatin1Name = [] {
  std::string name;
  for (int i = 0; i < 150; ++i) name += "É";
  return name;
}();

INSTANTIATE_TEST_SUITE_P(
    Names, PrintOffer,
    ::testing::Values(OfferCase{"panel_name", "LOBBY 2", "LOBBY 2.pdf"},
                      OfferCase{"slash_is_no_subfolder", "HALL A/B", "HALL A-B.pdf"},
                      OfferCase{"no_panel_name", "", ""},
                      OfferCase{"longer_than_a_folder_holds", kLongName,
                                std::string(251, 'L') + ".pdf"},
                      OfferCase{"cut_between_characters", kLongLatin1Name,
                                kLongLatin1Name.substr(0, 250) + ".pdf"}),
    [](const ::testing::TestParamInfo<OfferCase>& info) { return info.param.name; });

// The system's own print dialog, as the technician sees it: its file box offers the panel's name
// in the folder used last, and the PDF written there carries the panel name as its title.
TEST(PrintDialog, OffersThePanelNameAndTitlesThePdf) {
  QTemporaryDir dir;
  remember_folder_of(dir.filePath(QStringLiteral("HALL.kvc")));
  Form1 form(std::make_unique<testing::RecordingDialogs>());
  form.load();
  form.show();
  const std::string file = dir.filePath(QStringLiteral("LOBBY 2.kvc")).toStdString();
  std::ofstream(file, std::ios::binary) << testing::kWorkedExampleLine;
  form.open_file(file);

  QString offered = QStringLiteral("(no file box)");
  testing::when_modal_appears([&](QWidget& dialog) {
    if (auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) {
      offered = box->text();
    }
    static_cast<QDialog&>(dialog).accept();
  });
  for (QAction* action : form.actions()) {
    if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_P)) action->trigger();
  }

  const QString pdf = dir.filePath(QStringLiteral("LOBBY 2.pdf"));
  EXPECT_EQ(offered, pdf);
  EXPECT_EQ(title_of(pdf), "LOBBY 2");
}

// What the technician does before printing, in the window started with nothing opened.
enum class Step {
  Open,           // opens site-b.kvc
  OpenRefused,    // opens refused.kvc, a file made for another panel
  SaveCancelled,  // cancels the save dialog, which offered the panel name
  SaveAsOther,    // saves as other.kvc
  Read,           // reads the panel
  ReadFailing,    // a read whose port does not open
};

struct SourceCase {
  const char* name;
  std::vector<Step> steps;
  const char* footer_source;  // what the footer names before "PRINTED"
  const char* offered;        // the name the next OPEN offers, in the test folder; "" for none
};

void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name; }

// The window after the steps, printing through Ctrl+P into a PDF file and opening with Ctrl+O,
// never with a real dialog: the sheet's footer names where the configuration came from, apart
// from the name the file chooser offers next.
class PrintedSource : public ::testing::TestWithParam<SourceCase> {
 protected:
  PrintedSource() {
    form.pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    form.load();
    form.show();
    std::ofstream(path("site-b.kvc"), std::ios::binary) << testing::kWorkedExampleLine;
    std::string refused = testing::kWorkedExampleLine;
    refused.replace(0, 14, "\"00-00418-MDL\"");
    std::ofstream(path("refused.kvc"), std::ios::binary) << refused;
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    // The window has drawn itself before a step, as it has long before a user presses anything:
    // its first drawing is slow on a busy machine, and done inside a read it would eat into the
    // 100 ms in which the panel's answer must be found.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
  }
  ~PrintedSource() override { qunsetenv("KVT_SERIAL_PORT"); }

  std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

  void take(Step step) {
    switch (step) {
      case Step::Open:
        form.recorder().answer_with(path("site-b.kvc"));
        return press(Qt::Key_O);
      case Step::OpenRefused:
        form.recorder().answer_with(path("refused.kvc"));
        return press(Qt::Key_O);
      case Step::SaveCancelled:
        form.recorder().answer_cancel();
        return press(Qt::Key_S);
      case Step::SaveAsOther:
        form.recorder().answer_with(path("other.kvc"));
        return press(Qt::Key_S);
      case Step::Read:
        sim.use_as_serial_port();
        return form.findChild<QAbstractButton*>("READ_CONFIG")->click();
      case Step::ReadFailing:
        qputenv("KVT_SERIAL_PORT", "/dev/kvt-no-such-port");
        return form.findChild<QAbstractButton*>("READ_CONFIG")->click();
    }
  }

  // Ctrl+O, Ctrl+S or Ctrl+P where the technician types: in the panel name box.
  void press(Qt::Key key) {
    auto* box = form.findChild<QWidget*>(QStringLiteral("Text2"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, key, Qt::ControlModifier);
  }

  // What the printed footer names before "PRINTED", spaces trimmed.
  std::string footer_source() {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), form.pdf, QStringLiteral("-")});
    tool.waitForFinished(20000);
    for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split('\n')) {
      const qsizetype printed = line.indexOf(QStringLiteral("PRINTED"));
      if (printed >= 0) return line.left(printed).trimmed().toStdString();
    }
    return "(no footer)";
  }

  QTemporaryDir dir;
  sim::PanelSimulator sim;
  PrintingForm form;
};

TEST_P(PrintedSource, FooterNamesWhereTheConfigurationCameFrom) {
  const SourceCase& c = GetParam();
  for (const Step step : c.steps) take(step);
  // Every switch complete, so the sheet prints whatever came before.
  for (int k = 1; k <= kSwitchCount; ++k) {
    if (form.selected(module_list(k)) <= 0) form.select(module_list(k), kNaPosition);
    const int module = form.selected(module_list(k));
    if (module > kNaPosition && module < kBlMrPosition && form.selected(channel_list(k)) < 0) {
      form.select(channel_list(k), 0);
    }
  }

  press(Qt::Key_P);
  ASSERT_EQ(form.printer_requests, 1) << form.text(1);
  EXPECT_EQ(footer_source(), c.footer_source);

  form.recorder().answer_cancel();
  press(Qt::Key_O);
  ASSERT_FALSE(form.recorder().requests().empty());
  EXPECT_EQ(form.recorder().requests().back().offered.file_name,
            *c.offered ? path(c.offered) : std::string());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PrintedSource,
    ::testing::Values(
        SourceCase{"nothing_opened", {}, "", ""},
        SourceCase{"opened", {Step::Open}, "site-b.kvc", "site-b.kvc"},
        SourceCase{"save_cancelled", {Step::Open, Step::SaveCancelled}, "site-b.kvc", "site-b.kvc"},
        SourceCase{
            "saved_as_another_file", {Step::Open, Step::SaveAsOther}, "other.kvc", "other.kvc"},
        SourceCase{"read", {Step::Open, Step::Read}, "READ FROM THE SWITCH PANEL", "site-b.kvc"},
        SourceCase{"refused_file_after_a_read",
                   {Step::Read, Step::OpenRefused},
                   "READ FROM THE SWITCH PANEL",
                   "refused.kvc"},
        SourceCase{"read_that_failed", {Step::Open, Step::ReadFailing}, "", "site-b.kvc"},
        SourceCase{"opened_after_a_read", {Step::Read, Step::Open}, "site-b.kvc", "site-b.kvc"}),
    [](const ::testing::TestParamInfo<SourceCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kvt
