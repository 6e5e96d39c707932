// The window's looks beyond its start-up picture: whole list rows at every scale, the classic
// colours on a dark desktop, the port menu's entry for the port in use, OTHER DEVICE's check.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <fstream>
#include <map>

#include "link/port_memory.h"
#include "right_click.h"
#include "tests/window/counting_form.h"
#include "when_modal_appears.h"
#include "window/application_look.h"
#include "window/device_check.h"
#include "window/port_selector.h"
#include "window/theme.h"

namespace kvt {
namespace {

// ---- whole rows -------------------------------------------------------------------------------

// The switch lists show three rows, the intensity lists two, and nothing of a further row: the
// height left to the rows is a whole number of them, in device pixels too.
TEST(ListRows, AreWholeAtThisScale) {
  testing::CountingForm1 form;
  form.load();
  form.show();
  const qreal scale = form.devicePixelRatioF();
  const QByteArray asked = qgetenv("QT_SCALE_FACTOR");
  if (!asked.isEmpty()) {
    ASSERT_DOUBLE_EQ(scale, asked.toDouble());
  }
  for (QListWidget* list : form.findChildren<QListWidget*>()) {
    SCOPED_TRACE(list->objectName().toStdString());
    const int row = list->visualItemRect(list->item(0)).height();
    const int shown = list->viewport()->height();
    ASSERT_GT(row, 0);
    EXPECT_EQ(shown % row, 0) << shown << " pixels for rows of " << row;
    const bool intensity = list->count() == 8;
    EXPECT_EQ(shown / row, intensity ? 2 : 3);
    const double device_rows = shown * scale / (row * scale);
    EXPECT_DOUBLE_EQ(device_rows, std::round(device_rows));
  }
}

class ListRowsAtScale : public ::testing::TestWithParam<const char*> {};

// Each scale needs a program of its own: Qt takes the scale factor when it starts.
TEST_P(ListRowsAtScale, AreWhole) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(GetParam()));
  // A shard of this program runs the one case named below whatever share it was given.
  environment.remove(QStringLiteral("GTEST_TOTAL_SHARDS"));
  environment.remove(QStringLiteral("GTEST_SHARD_INDEX"));
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=ListRows.AreWholeAtThisScale")});
  ASSERT_TRUE(child.waitForFinished(60'000));
  const QByteArray output = child.readAllStandardOutput() + child.readAllStandardError();
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Scales, ListRowsAtScale, ::testing::Values("1.25", "1.5", "2"),
                         [](const auto& info) {
                           std::string name = std::string("x") + info.param;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

// ---- a dark desktop ---------------------------------------------------------------------------

QPalette dark_palette() {
  QPalette dark(QColor(40, 40, 40), QColor(30, 30, 30));
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::ToolTipBase, QColor(20, 20, 20));
  dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
  return dark;
}

// A dark desktop theme hands Qt its colours at start-up: as the application's palette, as
// palettes for kinds of widget, and for the tooltips; then the program sets its look.
class DarkDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    const QPalette dark = dark_palette();
    QApplication::setPalette(dark);
    for (const char* kind : {"QMenu", "QLineEdit", "QAbstractItemView", "QLabel", "QAbstractButton",
                             "QGroupBox", "QTextEdit"}) {
      QApplication::setPalette(dark, kind);
    }
    QToolTip::setPalette(dark);
    apply_application_look();
  }
  void TearDown() override { apply_application_look(); }

  static void expect_classic(const QPalette& shown, const char* what) {
    const QPalette classic = theme::classic_palette();
    for (const QPalette::ColorRole role :
         {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text, QPalette::Button,
          QPalette::ButtonText}) {
      EXPECT_EQ(shown.color(role).name(), classic.color(role).name()) << what << " role " << role;
    }
  }
};

TEST_F(DarkDesktop, MenusDialogsAndTooltipsKeepTheClassicColours) {
  testing::CountingForm1 form;
  form.load();
  form.show();
  testing::right_click(form);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  expect_classic(menu->palette(), "context menu");
  menu->close();

  QInputDialog other_device(&form);
  expect_classic(other_device.palette(), "OTHER DEVICE dialog");
  QFileDialog chooser(&form);
  expect_classic(chooser.palette(), "file dialog");
  auto* name_in_chooser = chooser.findChild<QLineEdit*>();
  ASSERT_NE(name_in_chooser, nullptr);
  expect_classic(name_in_chooser->palette(), "file dialog's name box");
  const QPalette tips = QToolTip::palette();
  EXPECT_EQ(tips.color(QPalette::ToolTipBase).name(), QColor(255, 255, 225).name());
  EXPECT_EQ(tips.color(QPalette::ToolTipText).name(), QColor(0, 0, 0).name());
}

// ---- the port menu ----------------------------------------------------------------------------

double luminance(const QColor& c) {
  auto channel = [](int value) {
    const double v = value / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// Between the entry's background, its commonest colour, and the ink furthest from it.
double text_contrast(const QImage& entry) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < entry.height(); ++y) {
    for (int x = 0; x < entry.width(); ++x) ++counts[entry.pixel(x, y)];
  }
  QRgb background = counts.begin()->first;
  for (const auto& [colour, count] : counts) {
    if (count > counts[background]) background = colour;
  }
  const double back = luminance(QColor(background));
  double best = 1.0;
  for (const auto& [colour, count] : counts) {
    const double ink = luminance(QColor(colour));
    best = std::max(best, (std::max(back, ink) + 0.05) / (std::min(back, ink) + 0.05));
  }
  return best;
}

class PortInUse : public ::testing::Test {
 protected:
  void SetUp() override {
    qunsetenv("KVT_SERIAL_PORT");
    form.load();
    form.show();
    form.port_selector().set_port_list([] {
      return std::vector<SystemPort>{{"/dev/ttyS0", "", ""}};
    });
  }
  QAction* ticked(QMenu& menu) {
    for (QAction* action : menu.actions()) {
      if (action->isChecked()) return action;
    }
    return nullptr;
  }

  testing::CountingForm1 form;
};

struct InUseCase {
  const char* what;
  const char* device;
  const char* entry;
};

void PrintTo(const InUseCase& c, std::ostream* os) { *os << c.what; }

class PortInUseEntry : public PortInUse, public ::testing::WithParamInterface<InUseCase> {};

// The port in use is ticked and drawn as plainly as any other entry, whether it is listed or not.
TEST_P(PortInUseEntry, IsTickedInNormalContrast) {
  remember_port(GetParam().device);
  QMenu& menu = *testing::right_click(form);
  menu.popup(QPoint(0, 0));
  QAction* entry = ticked(menu);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text().toStdString(), GetParam().entry);
  const QImage picture = menu.grab(menu.actionGeometry(entry)).toImage();
  EXPECT_GE(text_contrast(picture), 4.5);
  QApplication::activePopupWidget()->close();
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PortInUseEntry,
    ::testing::Values(InUseCase{"Listed", "/dev/ttyS0", "/dev/ttyS0"},
                      InUseCase{"NotListed", "/dev/null", "/dev/null"},
                      InUseCase{"Unplugged", "/dev/serial/by-id/usb-kvt-gone-if00-port0",
                                "/dev/serial/by-id/usb-kvt-gone-if00-port0  (NOT CONNECTED)"}),
    [](const auto& info) { return std::string(info.param.what); });

// ---- OTHER DEVICE... --------------------------------------------------------------------------

TEST(DeviceCheck, TellsACharacterDeviceFromEverythingElse) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  const std::string file = folder + "/file";
  const std::string fifo = folder + "/fifo";
  std::ofstream(file) << "x";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/null", (folder + "/to-device").c_str()), 0);
  ASSERT_EQ(::symlink((folder + "/gone").c_str(), (folder + "/dangling").c_str()), 0);
  const struct {
    std::string path;
    DeviceCheck expected;
  } cases[] = {
      {"/dev/null", DeviceCheck::CharacterDevice},
      {folder + "/to-device", DeviceCheck::CharacterDevice},
      {file, DeviceCheck::NotCharacterDevice},
      {fifo, DeviceCheck::NotCharacterDevice},
      {folder, DeviceCheck::NotCharacterDevice},
      {folder + "/gone", DeviceCheck::Missing},
      {folder + "/dangling", DeviceCheck::Missing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(check_device(c.path), c.expected) << c.path;
  }
}

struct OtherDeviceCase {
  const char* what;
  const char* typed;   // "FILE" stands for a regular file of the test's own
  const char* said;    // the start of what the check says; "" for nothing said
  const char* button;  // the answer to it
  bool chosen;
};

void PrintTo(const OtherDeviceCase& c, std::ostream* os) { *os << c.what; }

class OtherDevice : public PortInUse, public ::testing::WithParamInterface<OtherDeviceCase> {};

TEST_P(OtherDevice, ChecksThePathAndLetsTheUserKeepIt) {
  const OtherDeviceCase& c = GetParam();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("FILE"));
  std::ofstream(file.toStdString()) << "x";
  QString typed = QString::fromLatin1(c.typed);
  typed.replace(QStringLiteral("FILE"), file);
  remember_port("/dev/ttyS0");

  QString said;
  QStringList asked_with;
  testing::when_modal_appears([&](QWidget& modal) {
    auto* ask = qobject_cast<QInputDialog*>(&modal);
    ASSERT_NE(ask, nullptr);
    for (QAbstractButton* button : ask->findChildren<QAbstractButton*>()) {
      asked_with << button->text();
    }
    ask->setTextValue(typed);
    if (*c.said != '\0') {
      testing::when_modal_appears([&](QWidget& check) {
        auto* box = qobject_cast<QMessageBox*>(&check);
        ASSERT_NE(box, nullptr);
        said = box->text();
        for (QAbstractButton* button : box->buttons()) {
          if (button->text() == QString::fromLatin1(c.button)) button->click();
        }
      });
    }
    ask->accept();
  });
  QMenu& menu = *testing::right_click(form);
  for (QAction* action : menu.actions()) {
    if (action->text() == QStringLiteral("OTHER DEVICE...")) action->trigger();
  }
  QString expected_said = QString::fromLatin1(c.said);
  expected_said.replace(QStringLiteral("FILE"), file);
  if (expected_said.isEmpty()) {
    EXPECT_TRUE(said.isEmpty()) << said.toStdString();
  } else {
    EXPECT_TRUE(said.startsWith(expected_said)) << said.toStdString();
  }
  EXPECT_EQ(remembered_port().device, c.chosen ? typed.toStdString() : "/dev/ttyS0");
  asked_with.sort();
  EXPECT_EQ(asked_with, (QStringList{"CANCEL", "OK"}));
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OtherDevice,
    ::testing::Values(OtherDeviceCase{"ADevice", "/dev/null", "", "", true},
                      OtherDeviceCase{"MissingKept", "/dev/ttyKVT9",
                                      "/dev/ttyKVT9 DOES NOT EXIST.\nUSE IT ANYWAY?", "USE IT",
                                      true},
                      OtherDeviceCase{"MissingDropped", "/dev/ttyKVT9",
                                      "/dev/ttyKVT9 DOES NOT EXIST.", "CANCEL", false},
                      OtherDeviceCase{"RegularFileDropped", "FILE",
                                      "FILE IS NOT A CHARACTER DEVICE, SO IT IS NOT A SERIAL PORT.",
                                      "CANCEL", false}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace kvt
