// The serial port chosen from the window's context menu, remembered, and used by the next
// command; the ports are the test's own, not the machine's.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "link/port_memory.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "window/port_selector.h"

namespace {

using kvt::SystemPort;
using kvt::sim::PanelSimulator;

class PortMenu : public ::testing::Test {
 protected:
  PortMenu() {
    // The user's settings stay untouched: the choice lands in a folder of the test's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir.path());
    ::unsetenv("KVT_SERIAL_PORT");
    form.load();
    form.show();
    form.port_selector().set_port_list([this] { return ports; });
  }
  ~PortMenu() override { ::unsetenv("KVT_SERIAL_PORT"); }

  // Right-clicks the window's background and returns the "SERIAL PORT" submenu.
  QMenu* right_click() {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), form.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&form, &event);
    return serial_port_menu();
  }
  QMenu* serial_port_menu() {
    const auto menus = form.findChildren<QMenu*>(QStringLiteral("SerialPortMenu"));
    return menus.isEmpty() ? nullptr : menus.last();
  }
  static QAction* entry(QMenu& menu, const QString& starting) {
    for (QAction* action : menu.actions()) {
      if (action->text().startsWith(starting)) return action;
    }
    return nullptr;
  }

  QTemporaryDir settings_dir;
  std::vector<SystemPort> ports{
      {"/dev/ttyS0", "", ""},
      {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "FT232R USB UART, FTDI"},
  };
  kvt::testing::RecordingDialogs* dialogs = new kvt::testing::RecordingDialogs;
  Form1 form{std::unique_ptr<kvt::Dialogs>(dialogs)};
};

TEST_F(PortMenu, ListsThePortsAndTicksTheOneInUse) {
  QMenu* menu = right_click();
  ASSERT_NE(menu, nullptr);
  QAction* tty_s0 = entry(*menu, "/dev/ttyS0");
  QAction* adapter = entry(*menu, "/dev/ttyUSB0");
  ASSERT_TRUE(tty_s0 && adapter);
  EXPECT_TRUE(tty_s0->isChecked());
  EXPECT_FALSE(adapter->isChecked());
  EXPECT_TRUE(adapter->text().contains("FT232R USB UART, FTDI"));
  EXPECT_TRUE(adapter->text().contains("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"));
  EXPECT_NE(entry(*menu, "OTHER DEVICE..."), nullptr);
}

TEST_F(PortMenu, ChoosingStoresTheStableNameAndTicksIt) {
  entry(*right_click(), "/dev/ttyUSB0")->trigger();
  EXPECT_EQ(kvt::remembered_port().device, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
  EXPECT_EQ(form.port_selector().current().device, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
  EXPECT_TRUE(entry(*right_click(), "/dev/ttyUSB0")->isChecked());
}

TEST_F(PortMenu, TheNextReadUsesTheChosenPort) {
  PanelSimulator sim;
  ports.push_back({sim.device(), "", "Simulated panel"});
  entry(*right_click(), QString::fromStdString(sim.device()))->trigger();
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();
  EXPECT_EQ(form.text(1), "SWITCH PANEL DATA READ SUCCESSFUL");
  EXPECT_FALSE(sim.frames().empty());
}

TEST_F(PortMenu, ChoosingIsOffWhileACommandRuns) {
  PanelSimulator sim;
  ports.push_back({sim.device(), "", "Simulated panel"});
  kvt::remember_port(sim.device());
  std::vector<bool> enabled_during;
  QTimer::singleShot(300, &form, [&] {
    QMenu* menu = right_click();
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator()) enabled_during.push_back(action->isEnabled());
    }
    menu->parentWidget()->close();
  });
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();
  EXPECT_EQ(form.text(1), "SWITCH PANEL DATA READ SUCCESSFUL");  // the menu did not stop it
  ASSERT_FALSE(enabled_during.empty());
  EXPECT_EQ(enabled_during, std::vector<bool>(enabled_during.size(), false));
  EXPECT_TRUE(entry(*right_click(), "OTHER DEVICE...")->isEnabled());
}

TEST_F(PortMenu, TheEnvironmentDecidesAndSaysSo) {
  ::setenv("KVT_SERIAL_PORT", "/dev/ttyACM3", 1);
  QMenu* menu = right_click();
  ASSERT_FALSE(menu->actions().isEmpty());
  EXPECT_EQ(menu->actions().first()->text(), "SET IN KVT_SERIAL_PORT: /dev/ttyACM3");
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  }
}

TEST_F(PortMenu, ShiftF10OpensItToo) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::keyClick(&form, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_NE(serial_port_menu(), nullptr);
}

TEST_F(PortMenu, AFailureNamesThePortAndPointsToTheMenu) {
  ports = {{"/dev/kvt-no-such-adapter", "", "Gone adapter"}};
  form.findChild<QAbstractButton*>("READ_CONFIG")->click();
  EXPECT_TRUE(form.text(1).ends_with(
      "\n(PORT /dev/kvt-no-such-adapter - RIGHT-CLICK THE WINDOW TO CHOOSE ANOTHER)"))
      << form.text(1);
}

}  // namespace
