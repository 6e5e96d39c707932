// The status box shows every text whole, or its start with the whole text in its tooltip and its
// accessible description: it cannot grow, and it never scrolls.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <string>

#include "commands/command_texts.h"
#include "link/link_texts.h"
#include "link/port_error.h"
#include "model/rule_texts.h"
#include "tests/window/counting_form.h"
#include "window/window_texts.h"

namespace {

using kvt::testing::CountingForm1;
namespace command_texts = kvt::command_texts;
namespace link_texts = kvt::link_texts;

QString without_spaces(QString text) {
  text.remove(QRegularExpression(QStringLiteral("\\s")));
  return text;
}

// The window as the user has it, with the status box that the commands fill.
class StatusBoxText : public ::testing::Test {
 protected:
  StatusBoxText() {
    form.load();
    form.show();
  }

  QPlainTextEdit& box() { return *form.findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
  void press(const char* name) {
    form.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
  }
  void show(const std::string& text) {
    form.set_status_text(text);
    form.set_status_visible(true);
  }
  std::string description() {
    return QAccessible::queryAccessibleInterface(&box())
        ->text(QAccessible::Description)
        .toStdString();
  }

  // What the box shows is in it from its first line to the letters of its last, unscrolled.
  void expect_shown_part_fits() {
    QCoreApplication::processEvents();
    EXPECT_FALSE(box().verticalScrollBar()->isVisible());
    EXPECT_EQ(box().cursorForPosition(QPoint(2, 2)).position(), 0);
    QTextCursor end(box().document());
    end.movePosition(QTextCursor::End);
    const int last_line_top = box().cursorRect(end).top();
    EXPECT_LE(last_line_top + QFontMetrics(box().font()).ascent(), box().viewport()->height())
        << box().toPlainText().toStdString();
  }

  // `whole` is shown whole, or its start is, ended by the mark, and the whole text is the
  // tooltip and the description a screen reader reads.
  void expect_read_whole(const std::string& whole_text, bool must_be_whole = false) {
    const QString whole = QString::fromStdString(whole_text);
    const QString shown = box().toPlainText();
    EXPECT_EQ(form.text(1), whole_text);
    EXPECT_EQ(description(), whole_text);
    expect_shown_part_fits();
    if (shown == whole) {
      EXPECT_EQ(box().toolTip(), QString());
      return;
    }
    EXPECT_FALSE(must_be_whole) << "cut: " << shown.toStdString();
    EXPECT_EQ(box().toolTip(), whole);
    const QString mark = QString::fromUtf8(kvt::window_texts::kStatusCutMark);
    ASSERT_TRUE(shown.endsWith(mark)) << shown.toStdString();
    EXPECT_TRUE(without_spaces(whole).startsWith(without_spaces(shown.chopped(mark.size()))))
        << shown.toStdString();
  }

  CountingForm1 form;
};

std::string port_hint(const std::string& device) {
  return '\n' +
         QString::fromUtf8(kvt::window_texts::kChooseAnotherHint).arg(device.c_str()).toStdString();
}

struct TextCase {
  const char* what;
  std::string text;
  bool original;  // one of the panel's own texts, which the box has always shown whole
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.what; }

class EveryStatusText : public StatusBoxText, public ::testing::WithParamInterface<TextCase> {};

TEST_P(EveryStatusText, IsReadWhole) {
  show(GetParam().text);
  expect_read_whole(GetParam().text, GetParam().original);
}

const std::string kNotOpened(link_texts::kPortNotOpened);
const std::string kLongDevice = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";

INSTANTIATE_TEST_SUITE_P(
    Texts, EveryStatusText,
    ::testing::Values(
        TextCase{"CommunicationsOk", std::string(command_texts::kCommunicationsOk), true},
        TextCase{"StartWrite", std::string(command_texts::kStartWrite), true},
        TextCase{"IncompleteData", std::string(kvt::rule_texts::kIncompleteData), true},
        TextCase{"NoReply", std::string(command_texts::kPanelFailedToRespond), true},
        TextCase{"BadData", std::string(command_texts::kTransferFailed), true},
        TextCase{"NoReplyOnThisPort",
                 std::string(command_texts::kPanelFailedToRespond) + port_hint("/dev/pts/7"),
                 false},
        TextCase{
            "NoSuchDevice",
            kNotOpened + link_texts::no_such_device("/dev/ttyUSB0") + port_hint("/dev/ttyUSB0"),
            false},
        TextCase{"NotAllowed",
                 kNotOpened + link_texts::permission_denied("/dev/pts/0", "dialout") +
                     port_hint("/dev/pts/0"),
                 false},
        TextCase{
            "OpenInAnotherProgram",
            kNotOpened +
                link_texts::port_open_elsewhere("/dev/ttyUSB0",
                                                link_texts::program_and_pid("ModemManager", 812)) +
                port_hint("/dev/ttyUSB0"),
            false},
        TextCase{"InUse",
                 kNotOpened + link_texts::port_in_use(kLongDevice) + port_hint(kLongDevice), false},
        TextCase{"StoppedWorking", link_texts::port_stopped_working(kLongDevice), false},
        TextCase{
            "PartlyWritten",
            std::string(command_texts::kTransferFailed) + '\n' + command_texts::partly_written(6),
            false},
        TextCase{"FinishingWrite", std::string(command_texts::kFinishingWrite), false},
        TextCase{"Searching",
                 QString::fromUtf8(kvt::window_texts::kSearchingForPanel)
                     .arg(kLongDevice.c_str())
                     .toStdString(),
                 false},
        TextCase{"NoPanelFound",
                 std::string(kvt::window_texts::kNoPanelFound) + '\n' +
                     link_texts::probe_line("/dev/ttyS0", std::string(link_texts::kProbeNoAnswer)) +
                     '\n' +
                     link_texts::probe_line("/dev/ttyUSB0", link_texts::probe_other_model(68)) +
                     '\n' +
                     link_texts::probe_line("/dev/ttyACM0", std::string(link_texts::kProbeInUse)) +
                     '\n' +
                     link_texts::probe_line("/dev/ttyACM1",
                                            link_texts::probe_open_elsewhere(
                                                link_texts::program_and_pid("ModemManager", 812))),
                 false},
        TextCase{"PanelDiffers", std::string(command_texts::kPanelDiffers), false},
        TextCase{"FileNotRead",
                 command_texts::not_read("/home/technician/Site B/Lobby Level 2/hall-east.kvc",
                                         "IT IS A FOLDER"),
                 false}),
    [](const auto& info) { return std::string(info.param.what); });

// A port failure as the read ends it: the port's words, its advice and where the port was set.
TEST_F(StatusBoxText, PortFailureWithItsAdviceIsReadWhole) {
  const char* device = "/dev/kvt-No-Such-Adapter";
  qputenv("KVT_SERIAL_PORT", device);
  press("READ_CONFIG");
  qunsetenv("KVT_SERIAL_PORT");

  expect_read_whole(std::string(link_texts::kPortNotOpened) +
                    kvt::describe_port_error({kvt::PortProblem::NoSuchDevice, device, {}}) +
                    "\n(PORT " + device + " - SET IN KVT_SERIAL_PORT)");
}

// A path is shown in its own letters: "/tmp/Some Dir" and "/TMP/SOME DIR" are different
// folders on Linux.
TEST_F(StatusBoxText, FileFailureKeepsThePathsLettersAndIsReadWhole) {
  QTemporaryDir folder;
  const QString chosen =
      folder.filePath(QStringLiteral("Technician's Panels/Lobby Level 2/Case.kvc"));
  ASSERT_TRUE(QDir().mkpath(chosen));  // a folder chosen as the file
  form.recorder().answer_with(chosen.toStdString());
  press("READ_FILE");

  expect_read_whole("CONFIGURATION FILE COULD NOT BE READ: " + chosen.toStdString() +
                    " (IT IS A FOLDER)");
}

// A short text after a long one is shown whole again, with no tooltip left from the long one.
TEST_F(StatusBoxText, ShortTextAfterALongOneLeavesNoTooltip) {
  show(std::string(300, 'W'));
  ASSERT_FALSE(box().toolTip().isEmpty());
  show(std::string(command_texts::kReadDone));
  expect_read_whole(std::string(command_texts::kReadDone), true);
}

}  // namespace
